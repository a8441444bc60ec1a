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
    scale = std::clamp(scale, 1, maxScale);
    while (scale > 1 && (drawing.width() * scale > screen.available.width() ||
                         drawing.height() * scale > screen.available.height()))
        --scale;
    return scale;
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
    using Kind = ScaleOption::Kind;
    const QSize drawing = window.backBuffer().size();
    auto automatic = [&] {
        const QScreen* screen = window.screen();
        return screen ? automaticScale(factsOf(*screen), drawing) : 1;
    };

    Status saved = Status::success();
    int scale = 1;
    switch (option.kind) {
    case Kind::Fixed:
        scale = option.scale;
        saved = remembered.save(scale);
        break;
    case Kind::Automatic:
        scale = automatic();
        saved = remembered.forget();
        break;
    case Kind::Remembered:
        scale = remembered.load().value_or(automatic());
        break;
    }
    if (!saved)
        std::cerr << saved.message() << "\n";
    window.setScale(scale);
}

} // namespace gdi
