#include "platform/gdi/window_scale.h"

#include <QScreen>
#include <QSettings>
#include <QStandardPaths>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <iostream>

namespace gdi {

namespace {

constexpr int maxScale = BackBufferedWidget::maxScale;
// Screens this many device pixels high or more count as high-density even unscaled.
constexpr int denseScreenRowsPerScale = 1080;
const QString scaleKey = QStringLiteral("window/scale");

bool isScale(int n)
{
    return n >= 1 && n <= maxScale;
}

ScreenFacts factsOf(const QScreen& screen)
{
    const double ratio = screen.devicePixelRatio();
    return {ratio, (QSizeF(screen.geometry().size()) * ratio).toSize(),
            (QSizeF(screen.availableGeometry().size()) * ratio).toSize()};
}

Status settingsStatus(const QSettings& settings, const std::filesystem::path& file)
{
    if (settings.status() == QSettings::NoError)
        return Status::success();
    return Status::failure("the window scale could not be remembered in " + file.string());
}

// `wanted` lowered to fit the window's screen, or the automatic scale when nothing is wanted.
int scaleOnScreen(BackBufferedWidget& window, std::optional<int> wanted)
{
    const QScreen* screen = window.screen();
    if (!screen)
        return wanted.value_or(1);
    const QSize drawing = window.backBuffer().size();
    return wanted ? fittingScale(factsOf(*screen), drawing, *wanted)
                  : automaticScale(factsOf(*screen), drawing);
}

} // namespace

std::function<void(const std::string&)> scaleOptionHandler(ScaleOption& scale, std::string& error)
{
    return [&scale, &error](const std::string& text) {
        if (auto parsed = parseScaleOption(text))
            scale = *parsed;
        else
            error = parsed.message();
    };
}

Result<ScaleOption> parseScaleOption(std::string_view text)
{
    if (text == "auto")
        return ScaleOption{ScaleOption::Kind::Automatic, 1};
    int n = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), n);
    if (error != std::errc() || end != text.data() + text.size() || !isScale(n))
        return Result<ScaleOption>::failure("option '--scale' needs a whole number from 1 to " +
                                            std::to_string(maxScale) + " or 'auto'");
    return ScaleOption{ScaleOption::Kind::Fixed, n};
}

int automaticScale(const ScreenFacts& screen, QSize drawing)
{
    int scale = std::max(static_cast<int>(std::lround(screen.devicePixelRatio)),
                         screen.size.height() / denseScreenRowsPerScale);
    return fittingScale(screen, drawing, scale);
}

int fittingScale(const ScreenFacts& screen, QSize drawing, int wanted)
{
    int scale = std::clamp(wanted, 1, maxScale);
    while (scale > 1 && (drawing.width() * scale > screen.available.width() ||
                         drawing.height() * scale > screen.available.height()))
        --scale;
    return scale;
}

QPoint scaledPlacement(const std::function<QPoint(QSize)>& unscaledRule, QSize screen,
                       QRect available, QSize window, double widgetPerDrawnPixel)
{
    const QPoint unscaled = unscaledRule((QSizeF(screen) / widgetPerDrawnPixel).toSize());
    QPoint at = (QPointF(unscaled) * widgetPerDrawnPixel).toPoint();
    // The right and bottom edges first, so that a window too large still shows its top left.
    at.setX(std::max(std::min(at.x(), available.right() + 1 - window.width()), available.left()));
    at.setY(std::max(std::min(at.y(), available.bottom() + 1 - window.height()), available.top()));
    return at;
}

RememberedScale RememberedScale::forProgram(const std::string& program)
{
    const std::filesystem::path config =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation).toStdString();
    // Without a home there is nowhere to remember; never fall back to the working directory.
    return RememberedScale(config.empty() ? std::filesystem::path()
                                          : config / program / "window.conf");
}

std::optional<int> RememberedScale::load() const
{
    if (file_.empty() || !std::filesystem::exists(file_))
        return std::nullopt;
    QSettings settings(QString::fromStdString(file_.string()), QSettings::IniFormat);
    bool isNumber = false;
    const int n = settings.value(scaleKey).toInt(&isNumber);
    if (!isNumber || !isScale(n))
        return std::nullopt;
    return n;
}

Status RememberedScale::save(int scale) const
{
    if (file_.empty())
        return Status::failure("the window scale could not be remembered: no configuration "
                               "directory (is HOME set?)");
    QSettings settings(QString::fromStdString(file_.string()), QSettings::IniFormat);
    settings.setValue(scaleKey, scale);
    settings.sync();
    return settingsStatus(settings, file_);
}

Status RememberedScale::forget() const
{
    if (file_.empty() || !std::filesystem::exists(file_))
        return Status::success();
    QSettings settings(QString::fromStdString(file_.string()), QSettings::IniFormat);
    settings.remove(scaleKey);
    settings.sync();
    return settingsStatus(settings, file_);
}

void applyWindowScale(BackBufferedWidget& window, const ScaleOption& option,
                      const RememberedScale& remembered)
{
    int scale = 1;
    switch (option.kind) {
    case ScaleOption::Kind::Fixed:
        scale = scaleOnScreen(window, option.scale);
        if (scale != option.scale)
            std::cerr << "--scale " << option.scale << " does not fit this screen; the window is "
                      << scale << " times its size\n";
        break;
    case ScaleOption::Kind::Automatic:
        scale = scaleOnScreen(window, std::nullopt);
        break;
    case ScaleOption::Kind::Remembered:
        scale = scaleOnScreen(window, remembered.load());
        break;
    }
    window.setScale(scale);
}

Status chooseWindowScale(BackBufferedWidget& window, std::optional<int> scale,
                         const RememberedScale* remembered, QPoint (*unscaledRule)(QSize))
{
    window.setScale(scaleOnScreen(window, scale));
    placeOnScreen(window, unscaledRule);
    if (!remembered)
        return Status::success();
    return scale ? remembered->save(*scale) : remembered->forget();
}

void placeOnScreen(BackBufferedWidget& window, QPoint (*unscaledRule)(QSize))
{
    if (const QScreen* screen = window.screen())
        window.move(scaledPlacement(unscaledRule, screen->size(), screen->availableGeometry(),
                                    window.frameGeometry().size(), window.widgetPerBufferPixel()));
}

} // namespace gdi
