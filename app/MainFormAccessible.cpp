#include "MainForm.h"

#include "OsLayer.h"

namespace {

char LetterOf(const std::string& entry) {
    return entry.empty() ? '\0' : entry.front();
}

}  // namespace

// Unlike a paint, a screen reader's question neither rescans nor sets the caption: a drive
// that stopped answering keeps just its letter until the next paint removes its row.
AccessibleRowText TFrmMain::AccessibleRow(int index) {
    const auto& entries = model_.Entries();
    if (index < 0 || static_cast<std::size_t>(index) >= entries.size()) return {};
    const std::string& entry = entries[static_cast<std::size_t>(index)];
    const RowKind kind = RowKindOf(entry);
    if (kind != RowKind::Drive) return DescribeRow(ShownSummaryRow(kind));
    if (!Disk) return {};
    const platform::ScanScope scan;
    Disk->SetDriveIndex(DiskUtils::DriveLetterToIndex(LetterOf(entry)));
    if (!Disk->Present) return {QString::fromLatin1(&entry.front(), 1) + QLatin1Char(':'), {}};
    return DescribeRow(ShownDriveRow(*Disk));
}
