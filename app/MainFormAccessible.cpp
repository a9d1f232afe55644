#include "MainForm.h"

// A screen reader's question neither rescans, nor sets the caption, nor moves the painter's
// probe: it reads the last snapshot, where a drive that stopped answering keeps just its
// letter until the next paint removes its row.
AccessibleRowText TFrmMain::AccessibleRow(int index) {
    const auto& entries = model_.Entries();
    if (index < 0 || static_cast<std::size_t>(index) >= entries.size()) return {};
    const std::string& entry = entries[static_cast<std::size_t>(index)];
    const RowKind kind = RowKindOf(entry);
    if (kind != RowKind::Drive) return DescribeRow(ShownSummaryRow(kind));
    if (const DriveRecord* record = SnapshotRecord(index))
        return DescribeRow(ShownDriveRow(*record));
    return {QString::fromLatin1(&entry.front(), 1) + QLatin1Char(':'), {}};
}
