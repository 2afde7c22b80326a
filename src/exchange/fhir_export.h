#pragma once

#include "journal/medication.h"
#include "journal/reading.h"

#include <QByteArray>
#include <QList>
#include <QTimeZone>

// Readings as a FHIR R4 Bundle of type "collection" for patient records:
// the person as a Patient, and per reading an Observation "blood pressure
// panel" (LOINC 85354-9) with the systolic and diastolic components, one
// "heart rate" (8867-4) and, where a weight was entered, one "body weight"
// (29463-7), each with the vital-signs profile, category and UCUM units;
// per medication a MedicationStatement with the medication and dosage as
// text, its days as the effective period, and the status "active" or, once
// its last day lies before `today`, "completed".
namespace FhirExport {

// The time of a reading as FHIR wants it: "2017-03-01T07:30:00+01:00" with
// the offset the zone had then; 24:00 as 00:00 of the next day; the date
// alone where the time is no hh:mm.
QString effectiveDateTime(const Reading &reading, const QTimeZone &zone);

// The same file for the same readings: the resources' ids follow from the
// user, date and slot.
QByteArray bundle(const QList<Reading> &readings, const QString &user,
                  const QTimeZone &zone = QTimeZone::systemTimeZone(),
                  const QList<Medication> &medications = {}, const QDate &today = QDate());

} // namespace FhirExport
