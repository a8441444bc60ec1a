// Must not compile: history/ is plain C++ that both programs' models write through.
#include "history/history_log.h"

#include <QString>

int probe()
{
    return HistoryTable{}.damaged;
}
