#pragma once

#include "base/result.h"
#include "platform/gdi/back_buffered_widget.h"

#include <QSize>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

// How large a fixed-size drawn window appears: a whole number of screen pixels per drawn
// pixel, chosen from the screen unless the user asked for one, and remembered between runs.
namespace gdi {

// What the command line asked for.
struct ScaleOption {
    enum class Kind {
        Remembered, // nothing: the remembered scale, else the automatic one
        Automatic,  // "auto": forget the remembered scale and choose from the screen
        Fixed,      // a number: use it and remember it
    };
    Kind kind = Kind::Remembered;
    int scale = 1; // for Fixed: 1..BackBufferedWidget::maxScale
};

// "1" to "4", or "auto".
Result<ScaleOption> parseScaleOption(std::string_view text);

// The "--scale N" option both programs take: its help text, and a handler that
// stores a valid value in `scale` or the reason it was refused in `error`.
inline constexpr const char* kScaleOptionHelp =
    "show the window N times its size, 1 to 4 (remembered; 'auto' chooses from the screen again)";
std::function<void(const std::string&)> scaleOptionHandler(ScaleOption& scale, std::string& error);

// The screen a window opens on, in device pixels.
struct ScreenFacts {
    double devicePixelRatio = 1;
    QSize size;      // the whole screen
    QSize available; // without panels and docks
};

// The scale for a drawing of `drawing` pixels: the desktop's own pixel ratio rounded, raised
// on a large screen that the desktop does not scale (2 from about 2160 pixels high, as on a
// 4K monitor), then lowered until the window fits the available area. Always 1..maxScale.
int automaticScale(const ScreenFacts& screen, QSize drawing);

// The scale the user chose last, kept in a small settings file.
class RememberedScale {
public:
    explicit RememberedScale(std::filesystem::path file) : file_(std::move(file)) {}
    // `$XDG_CONFIG_HOME/<program>/window.conf` (normally under ~/.config).
    static RememberedScale forProgram(const std::string& program);

    // The remembered scale; nothing when none was saved or the file holds no valid one.
    std::optional<int> load() const;
    Status save(int scale) const;
    Status forget() const;

private:
    std::filesystem::path file_;
};

// Gives the program's main window its scale: the option's, else the remembered one, else the
// automatic one for the window's screen; saves or forgets as the option says. A remembered
// scale that cannot be written is reported on stderr and the window still opens.
void applyWindowScale(BackBufferedWidget& window, const ScaleOption& option,
                      const RememberedScale& remembered);

} // namespace gdi
