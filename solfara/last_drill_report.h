#pragma once

#include "drill/drill_record.h"
#include "platform/gdi/back_buffered_widget.h"
#include "render/report_page.h"

#include <optional>

// "Last Drill ...": how the last drill went, note by note: each confirmed
// note's pitch in cents (its median, coloured against the tolerance), its
// spread, its onset scoop and the time it took, then the singer's own offset,
// the drift over the melody and how well the intervals were sung.

// The report's page for `drill`; a page that says so when there is none yet
// or it measured no pitch.
ReportPage lastDrillPage(const std::optional<DrillRecord>& drill,
                         std::optional<int> toleranceCents);

// The report in a window of its own; Escape closes it.
class LastDrillWindow final : public gdi::BackBufferedWidget {
public:
    LastDrillWindow(ReportPage page, QWidget* owner);
    const ReportPage& page() const { return page_; }

protected:
    void paintWindow(gdi::Canvas& dc) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    ReportPage page_;
};
