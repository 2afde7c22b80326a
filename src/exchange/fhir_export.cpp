#include "exchange/fhir_export.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUuid>

#include <algorithm>

namespace FhirExport {

namespace {

const QString kLoinc = QStringLiteral("http://loinc.org");
const QString kUcum = QStringLiteral("http://unitsofmeasure.org");
const QString kProfiles = QStringLiteral("http://hl7.org/fhir/StructureDefinition/");

QJsonObject codeableConcept(const QString &code, const QString &display,
                            const QString &text = QString())
{
    QJsonObject result{
        {QStringLiteral("coding"), QJsonArray{QJsonObject{{QStringLiteral("system"), kLoinc},
                                                          {QStringLiteral("code"), code},
                                                          {QStringLiteral("display"), display}}}}};
    if (!text.isEmpty())
        result.insert(QStringLiteral("text"), text);
    return result;
}

QJsonObject quantity(double value, const QString &unit, const QString &code)
{
    return {{QStringLiteral("value"), value},
            {QStringLiteral("unit"), unit},
            {QStringLiteral("system"), kUcum},
            {QStringLiteral("code"), code}};
}

QJsonArray vitalSigns()
{
    return {QJsonObject{
        {QStringLiteral("coding"),
         QJsonArray{QJsonObject{
             {QStringLiteral("system"),
              QStringLiteral("http://terminology.hl7.org/CodeSystem/observation-category")},
             {QStringLiteral("code"), QStringLiteral("vital-signs")},
             {QStringLiteral("display"), QStringLiteral("Vital Signs")}}}},
        {QStringLiteral("text"), QStringLiteral("Vital Signs")}}};
}

QString urnFor(const QString &name)
{
    static const QUuid space(QStringLiteral("{6f1c2a52-8d0e-4f3b-9a57-2b1e4c7d9e10}"));
    return QStringLiteral("urn:uuid:") +
           QUuid::createUuidV5(space, name).toString(QUuid::WithoutBraces);
}

// One Observation of the vital-signs profile `profile`.
QJsonObject observation(const QString &profile, const QJsonObject &code, const Reading &reading,
                        const QString &patient, const QTimeZone &zone)
{
    return {{QStringLiteral("resourceType"), QStringLiteral("Observation")},
            {QStringLiteral("meta"),
             QJsonObject{{QStringLiteral("profile"), QJsonArray{kProfiles + profile}}}},
            {QStringLiteral("status"), QStringLiteral("final")},
            {QStringLiteral("category"), vitalSigns()},
            {QStringLiteral("code"), code},
            {QStringLiteral("subject"), QJsonObject{{QStringLiteral("reference"), patient}}},
            {QStringLiteral("effectiveDateTime"), effectiveDateTime(reading, zone)}};
}

QJsonObject entry(const QString &fullUrl, const QJsonObject &resource)
{
    return {{QStringLiteral("fullUrl"), fullUrl}, {QStringLiteral("resource"), resource}};
}

QJsonObject component(const QString &code, const QString &display, int value)
{
    return {{QStringLiteral("code"), codeableConcept(code, display)},
            {QStringLiteral("valueQuantity"),
             quantity(value, QStringLiteral("mmHg"), QStringLiteral("mm[Hg]"))}};
}

void appendReading(QJsonArray &entries, const Reading &reading, const QString &user,
                   const QString &patient, const QTimeZone &zone)
{
    const QString key = user + u'|' + reading.date.toString(Qt::ISODate) + u'|' +
                        slotInfo(reading.slot).label + u'|';
    QJsonObject pressure = observation(
        QStringLiteral("bp"),
        codeableConcept(QStringLiteral("85354-9"),
                        QStringLiteral("Blood pressure panel with all children optional"),
                        QStringLiteral("Blutdruck")),
        reading, patient, zone);
    pressure.insert(
        QStringLiteral("component"),
        QJsonArray{component(QStringLiteral("8480-6"), QStringLiteral("Systolic blood pressure"),
                             reading.systolic),
                   component(QStringLiteral("8462-4"), QStringLiteral("Diastolic blood pressure"),
                             reading.diastolic)});
    entries.append(entry(urnFor(key + QStringLiteral("bp")), pressure));
    // A pulse of 0 is a pulse that was not entered, not a heart at rest.
    if (reading.pulse > 0) {
        QJsonObject heart =
            observation(QStringLiteral("heartrate"),
                        codeableConcept(QStringLiteral("8867-4"), QStringLiteral("Heart rate"),
                                        QStringLiteral("Puls")),
                        reading, patient, zone);
        heart.insert(QStringLiteral("valueQuantity"),
                     quantity(reading.pulse, QStringLiteral("/min"), QStringLiteral("/min")));
        entries.append(entry(urnFor(key + QStringLiteral("heartrate")), heart));
    }
    if (const std::optional<long double> weight = reading.weight()) {
        QJsonObject body =
            observation(QStringLiteral("bodyweight"),
                        codeableConcept(QStringLiteral("29463-7"), QStringLiteral("Body weight"),
                                        QStringLiteral("Körpergewicht")),
                        reading, patient, zone);
        body.insert(QStringLiteral("valueQuantity"),
                    quantity(double(*weight), QStringLiteral("kg"), QStringLiteral("kg")));
        entries.append(entry(urnFor(key + QStringLiteral("bodyweight")), body));
    }
}

QJsonObject medicationStatement(const Medication &medication, const QString &patient,
                                const QDate &today)
{
    const bool completed = medication.lastDay && today.isValid() && *medication.lastDay < today;
    QJsonObject period{{QStringLiteral("start"), medication.firstDay.toString(Qt::ISODate)}};
    if (medication.lastDay)
        period.insert(QStringLiteral("end"), medication.lastDay->toString(Qt::ISODate));
    QJsonObject statement{
        {QStringLiteral("resourceType"), QStringLiteral("MedicationStatement")},
        {QStringLiteral("status"),
         completed ? QStringLiteral("completed") : QStringLiteral("active")},
        {QStringLiteral("medicationCodeableConcept"),
         QJsonObject{{QStringLiteral("text"), medication.label()}}},
        {QStringLiteral("subject"), QJsonObject{{QStringLiteral("reference"), patient}}},
        {QStringLiteral("effectivePeriod"), period}};
    // FHIR allows no empty texts: an intake or note left empty is left out.
    if (!medication.intake.trimmed().isEmpty())
        statement.insert(
            QStringLiteral("dosage"),
            QJsonArray{QJsonObject{{QStringLiteral("text"), medication.intake.trimmed()}}});
    if (!medication.note.trimmed().isEmpty())
        statement.insert(
            QStringLiteral("note"),
            QJsonArray{QJsonObject{{QStringLiteral("text"), medication.note.trimmed()}}});
    return statement;
}

} // namespace

QString effectiveDateTime(const Reading &reading, const QTimeZone &zone)
{
    const QString text = reading.time.trimmed();
    QDate date = reading.date;
    QTime time = QTime::fromString(text, QStringLiteral("h:mm"));
    // FHIR has no 24:00: the end of a day is the first moment of the next.
    if (text == QLatin1String("24:00")) {
        date = date.addDays(1);
        time = QTime(0, 0);
    }
    if (!time.isValid())
        return reading.date.toString(Qt::ISODate);
    QDateTime moment(date, time, zone);
    // The clocks skipped this time when summer time began: it was read on a
    // clock not yet put forward, with the offset of the day before.
    if (!moment.isValid() || moment.time() != time)
        moment = QDateTime(date.addDays(-1), time, zone);
    const int offset = zone.offsetFromUtc(moment);
    const int minutes = std::abs(offset) / 60;
    return date.toString(Qt::ISODate) + u'T' + time.toString(QStringLiteral("HH:mm:ss")) +
           (offset < 0 ? u'-' : u'+') +
           QStringLiteral("%1:%2")
               .arg(minutes / 60, 2, 10, QLatin1Char('0'))
               .arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

QByteArray bundle(const QList<Reading> &readings, const QString &user, const QTimeZone &zone,
                  const QList<Medication> &medications, const QDate &today)
{
    QList<Reading> ordered = readings;
    std::stable_sort(ordered.begin(), ordered.end());
    const QString patient = urnFor(QStringLiteral("patient|") + user);
    QJsonArray entries{
        entry(patient, QJsonObject{{QStringLiteral("resourceType"), QStringLiteral("Patient")},
                                   {QStringLiteral("name"),
                                    QJsonArray{QJsonObject{{QStringLiteral("text"), user}}}}})};
    for (const Reading &reading : ordered)
        appendReading(entries, reading, user, patient, zone);
    for (const Medication &medication : medications)
        entries.append(entry(urnFor(QStringLiteral("medication|") + user + u'|' +
                                    MedicationFile::lineOf(medication)),
                             medicationStatement(medication, patient, today)));
    const QJsonObject root{{QStringLiteral("resourceType"), QStringLiteral("Bundle")},
                           {QStringLiteral("type"), QStringLiteral("collection")},
                           {QStringLiteral("entry"), entries}};
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

} // namespace FhirExport
