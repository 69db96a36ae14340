#pragma once
// A history's records as its tab saves them to a file: the animal's number, then every stored
// field as stored, so that the file comes back through the import without anything typed.
// The grid shows less (a calf's sex only with a calf, no 인공수정자 or 비고); the file holds all.
#include "history/model/HistoryDefinition.h"
#include "sheets/model/TableExport.h"

namespace history {
// The header of the animal's number in a saved history.
inline constexpr const char16_t* kExportNumberHeader = u"개체번호";

// The headers, kinds and rows of `animal`'s records (by the key date): 개체번호, the grid's
// columns in their order under the grid's headers, then the dialog's other fields under their
// captions. Dates yyyy-mm-dd when set, options by caption when their box's date is set,
// everything else as stored. Title, farm and date are left to the caller. Throws DbError.
ExportTable exportRecords(const HistoryDefinition& h, const QString& animal);
}  // namespace history
