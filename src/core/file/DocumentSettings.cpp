#include "core/file/DocumentSettings.h"

namespace {
std::vector<TColumnLayout> Natural(int count)
{
    std::vector<TColumnLayout> cols(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        cols[static_cast<size_t>(i)].Param = i;
    return cols;
}
}  // namespace

TDocumentSettings TDocumentSettings::Defaults()
{
    TDocumentSettings s;
    s.UzelCols = Natural(kUzelColCount);
    s.BranchCols = Natural(kBranchColCount);
    s.BranchCols[bpRemark].Width = 200;
    s.ResultCols = Natural(kResultColCount);
    s.ResultCols[hbpRemark].Width = 200;
    return s;
}
