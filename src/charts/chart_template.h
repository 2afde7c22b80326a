#pragma once

#include <QString>

// The fixed lines every chart page shares, and the marker lines of the
// template, each with a sample of what it stands for (the sample is never
// written; FillMarkerLine replaces the whole line).
namespace ChartTemplate {

QString head1();
QString head2();
QString bodyStart();
QString meansNote();
QString scriptStart();
QString fontColours();
QString modifyCtx();
QString fadeIn(const QString &valueColour);
QString legend1();
QString legend2();
QString legend3();
QString pointStyleConfig(const QString &functionName);
QString scriptEnd();
QString warningLine(const QString &warning);
QString pageEnd();

// Marker lines.
inline const QString title =
    QStringLiteral("Dz1 <h0><b>Blutdruckmesswerte von Erika Beispiel im Januar 2017</b></h0>");
inline const QString systolicColour = QStringLiteral(
    "Dz7 backgroundColor: '#0000FF',borderColor: '#0000FF' , borderWidth: 2, fill: false, ");
inline const QString diastolicColour = QStringLiteral(
    "Dz7_ backgroundColor: '#008000',borderColor: '#008000' ,borderWidth: 2,fill: false, ");
inline const QString pulseColour = QStringLiteral(
    "Dz7__ backgroundColor: '#800000',borderColor: '#800000' ,borderWidth: 2,fill: false, ");
inline const QString summary =
    QStringLiteral("Dz17 Systole: 128 mmHg - Diastole: 83 mmHg - Puls: 70 (HF) - Gewicht: 80,5 kg");

} // namespace ChartTemplate
