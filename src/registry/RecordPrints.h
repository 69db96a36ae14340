#pragma once
// The print commands of the cow and bull record forms: the individual record book (cmdPrn1),
// the cow's breeding record and either animal's treatment record. Each reads what the form
// shows at the moment of printing, unsaved edits included, and goes through the one print
// sequence.
#include "print/PrintSequence.h"

class AnimalRecordForm;

// cmdPrn1 on both forms: 암소개체기록부 / 수소개체기록부, every value as a formula.
PrintOutcome printRecordBook(AnimalRecordForm& form);
// cmdPrn2 on the cow form: 번식기록 over 번식기록워크, from the breeding tab.
PrintOutcome printBreedingRecord(AnimalRecordForm& form);
// cmdPrn3 on the cow form, cmdPrn2 on the bull form: 진료백신암 / 진료백신수 over 백신접종워크.
PrintOutcome printTreatmentRecord(AnimalRecordForm& form);
