#include "solfara/last_drill_report.h"

#include "drill/drill_history.h"
#include "history/history_figures.h"

#include <QKeyEvent>

#include <cmath>

namespace {

std::string signedCents(double cents)
{
    const long rounded = std::lround(cents);
    return (rounded > 0 ? "+" : "") + std::to_string(rounded);
}

} // namespace

ReportPage lastDrillPage(const std::optional<DrillRecord>& drill, std::optional<int> toleranceCents)
{
    ReportPage page;
    page.toleranceCents = toleranceCents;
    page.title = "Last drill";
    if (!drill) {
        page.emptyText = "No drill sung yet.";
        return page;
    }
    page.title += ": " + drill->key + (drill->finished ? ", finished" : ", not finished") +
                  ", tolerance " +
                  (toleranceCents ? std::to_string(*toleranceCents) + " cents" : "any");
    page.heads = {"Note", "Cents", "Spread", "Scoop", "Time"};
    for (const NoteRecord& note : drill->notes) {
        if (!note.accepted)
            break;
        std::vector<ReportCell> row{{writtenNoteName(note.target, note.accidental)}};
        if (note.intonation) {
            row.push_back({signedCents(note.intonation->median), note.intonation->median});
            row.push_back({std::to_string(std::lround(note.intonation->spread))});
            row.push_back({note.intonation->scoop ? signedCents(*note.intonation->scoop) : "-"});
        } else {
            const char* how = note.skipped ? "skipped" : "-";
            row.insert(row.end(), {{how}, {"-"}, {"-"}});
        }
        row.push_back({note.skipped ? "-" : historyDecimal(note.msToAccept / 1000.0, 1) + " s"});
        page.rows.push_back(std::move(row));
    }
    if (page.rows.empty())
        page.emptyText = "No note of it was confirmed.";
    if (const std::optional<DrillIntonation> sung = drill->intonation()) {
        const bool several = sung->notes > 1;
        page.summary.push_back("Your own offset: " + signedCents(sung->meanOffset) +
                               " cents over " + std::to_string(sung->notes) +
                               (several ? " notes." : " note."));
        // A drift and intervals need two notes at least.
        if (several) {
            page.summary.push_back("Drift: " + historyDecimal(sung->driftPerNote, 1) +
                                   " cents a note.");
            page.summary.push_back("Intervals: " + std::to_string(std::lround(sung->relative)) +
                                   " cents off on average, your offset aside.");
        }
    } else {
        page.summary.push_back("No pitch was measured in this drill.");
    }
    return page;
}

LastDrillWindow::LastDrillWindow(ReportPage page, QWidget* owner)
    : gdi::BackBufferedWidget(owner, QSize(kReportPageWidth, reportPageHeight(page))),
      page_(std::move(page))
{
    setWindowFlag(Qt::Window);
    setWindowTitle(QStringLiteral("Solfara Last Drill"));
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_DeleteOnClose);
}

void LastDrillWindow::paintWindow(gdi::Canvas& dc)
{
    drawReportPage(dc, page_);
}

void LastDrillWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape)
        close();
    else
        gdi::BackBufferedWidget::keyPressEvent(event);
}
