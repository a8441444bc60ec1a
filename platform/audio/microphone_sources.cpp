#include "platform/audio/microphone_sources.h"

#include "platform/audio/internal/rtaudio_backend.h"
#include "platform/pulse/pulse_connection.h"

#include <pulse/pulseaudio.h>

namespace {

struct SourceListing {
    PulseConnection* connection;
    bool withMonitors;
    std::vector<MicrophoneSource> sources;
    bool done = false;
};

void onSource(pa_context*, const pa_source_info* info, int last, void* listing)
{
    auto& list = *static_cast<SourceListing*>(listing);
    if (last != 0 || !info) {
        list.done = true;
        list.connection->signal();
        return;
    }
    const bool monitor = info->monitor_of_sink != PA_INVALID_INDEX;
    if (!monitor || list.withMonitors)
        list.sources.push_back(
            {info->name, info->description ? info->description : info->name, monitor});
}

std::vector<MicrophoneSource> alsaCaptureDevices()
{
    std::vector<MicrophoneSource> sources;
    auto alsa = makeRtAudio(RtAudio::LINUX_ALSA);
    if (!alsa)
        return sources;
    try {
        for (unsigned i = 0, n = alsa->getDeviceCount(); i < n; ++i)
            if (const RtAudio::DeviceInfo info = alsa->getDeviceInfo(i); info.inputChannels > 0)
                sources.push_back({info.name, info.name, false});
    } catch (...) {
    }
    return sources;
}

} // namespace

std::vector<MicrophoneSource> listMicrophoneSources(bool withMonitors)
{
    auto connection = PulseConnection::open("production");
    if (!connection)
        return alsaCaptureDevices();
    SourceListing listing{connection->get(), withMonitors, {}};
    PulseConnection::Lock lock(**connection);
    pa_operation* operation =
        pa_context_get_source_info_list((*connection)->context(), &onSource, &listing);
    if (!operation)
        return {};
    while (!listing.done && pa_operation_get_state(operation) == PA_OPERATION_RUNNING)
        (*connection)->wait();
    pa_operation_unref(operation);
    return listing.sources;
}
