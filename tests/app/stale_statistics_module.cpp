// A 成績 module of another interface, as a stale build would leave one: its entry points must
// never be called.
#include <cstdint>
#include <cstdlib>

#include <QtGlobal>

class QWidget;

extern "C" Q_DECL_EXPORT std::uint32_t zelkonStatisticsModuleVersion() {
    return 1u << 16;
}

extern "C" Q_DECL_EXPORT QWidget* zelkonStatisticsWindow(const void*, QWidget*) {
    std::abort();
}

extern "C" Q_DECL_EXPORT void zelkonShowStatistics(QWidget*, const void*) {
    std::abort();
}
