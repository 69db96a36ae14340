#pragma once
// What the record forms check and store of an animal, free of any window: the forms and the
// import run every animal through these, so a value is taken or refused the same way however
// it arrives.
#include "history/model/HistoryRules.h"
#include "registry/model/AnimalRow.h"

// The animal as a save stores it: every text trimmed; a cow has no planned or actual shipment
// (only the bull form has those dates).
AnimalRecord animalAsStored(AnimalRecord typed);

// The save's checks in order; the first failing one (its field is the control to focus):
// a number is required ("개체번호", 미입력), and a score, when given, is a number not below 0
// ("점수", 값 부정).
CheckResult checkAnimal(const AnimalRecord& typed);
