#pragma once

#include "core/model/Mine.h"

// Many nodes changed at once: the mine's bounds and its change notices wait for the end of
// the scope (node by node each could cost a pass over every node), then the bounds are
// worked out once and the mine reports one structural change. Only for changes of node
// values and numbers: pipes created meanwhile would miss the diameter colour table.
class TBulkNodeEdit {
public:
    explicit TBulkNodeEdit(TMine& mine) : mine_(mine), wasLoading_(mine.Loading()) { mine_.SetLoading(true); }
    ~TBulkNodeEdit()
    {
        mine_.SetLoading(wasLoading_);
        mine_.RecalcBounds();
        if (!wasLoading_)
            mine_.SetModified(true, true);
    }
    TBulkNodeEdit(const TBulkNodeEdit&) = delete;
    TBulkNodeEdit& operator=(const TBulkNodeEdit&) = delete;

private:
    TMine& mine_;
    bool wasLoading_;
};
