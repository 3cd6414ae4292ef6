#pragma once
#include "store/GenealogyStore.h"
#include "treefile/TreeFile.h"

#include <optional>

namespace treefile {

// What opening refuses in tables already read, as a reason in Russian. Saving
// asks the same before it writes, so that no file is written that would not
// open again.
std::optional<QString> numbersLeaveRoom(const GenealogyStore& store);
std::optional<QString> boxPositionsInRange(const RecordTable& diagram);
std::optional<QString> countersInRange(const GenealogyStore& store);
std::optional<QString> contentRefusal(const GenealogyStore& store);

// A file just written, read back as far as opening would read its frame: its
// version, schema, meta values, checksum and the number of rows of each
// table. The values themselves were checked before writing.
std::optional<QString> writtenFileRefusal(const QString& file, const GenealogyStore& store, const QString& checksum);

} // namespace treefile
