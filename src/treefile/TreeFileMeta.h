#pragma once
#include "treefile/TreeFile.h"
#include "treefile/TreeFileFormat.h"

#include <optional>

namespace treefile {

MetaValues diagramMeta(const TreeFileDiagram& diagram);
// Nothing when a value does not fit its setting.
std::optional<TreeFileDiagram> diagramFromMeta(const MetaValues& meta);

} // namespace treefile
