#include "platform/pulse/pulse_connection.h"

#include <pulse/pulseaudio.h>

#include <errno.h>

namespace {

bool settled(pa_context_state_t state)
{
    return state == PA_CONTEXT_READY || !PA_CONTEXT_IS_GOOD(state);
}

bool settled(pa_stream_state_t state)
{
    return state == PA_STREAM_READY || !PA_STREAM_IS_GOOD(state);
}

constexpr const char* outOfMemory = "The sound server could not be reached (out of memory?).";
constexpr const char* noServer = "No PulseAudio server is running.";

} // namespace

Result<std::unique_ptr<PulseConnection>> PulseConnection::open(const char* role)
{
    std::unique_ptr<PulseConnection> connection(new PulseConnection);
    if (Status connected = connection->connect(role); !connected)
        return connected;
    return connection;
}

Status PulseConnection::connect(const char* role)
{
    loop_ = pa_threaded_mainloop_new();
    properties_ = pa_proplist_new();
    if (!loop_ || !properties_)
        return Status::failure(outOfMemory);
    pa_proplist_sets(properties_, PA_PROP_APPLICATION_NAME, program_invocation_short_name);
    pa_proplist_sets(properties_, PA_PROP_MEDIA_ROLE, role);
    context_ = pa_context_new_with_proplist(pa_threaded_mainloop_get_api(loop_),
                                            program_invocation_short_name, properties_);
    if (!context_)
        return Status::failure(outOfMemory);
    pa_context_set_state_callback(context_, &PulseConnection::onContextState, this);
    if (pa_context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0 ||
        pa_threaded_mainloop_start(loop_) < 0)
        return Status::failure(noServer);
    Lock lock(*this);
    while (!settled(pa_context_get_state(context_)))
        wait();
    if (pa_context_get_state(context_) != PA_CONTEXT_READY)
        return Status::failure(noServer);
    return Status::success();
}

PulseConnection::~PulseConnection()
{
    if (loop_) {
        pa_threaded_mainloop_lock(loop_);
        if (context_) {
            pa_context_set_state_callback(context_, nullptr, nullptr);
            pa_context_set_subscribe_callback(context_, nullptr, nullptr);
            pa_context_disconnect(context_);
            pa_context_unref(context_);
        }
        pa_threaded_mainloop_unlock(loop_);
        pa_threaded_mainloop_stop(loop_);
        pa_threaded_mainloop_free(loop_);
    }
    if (properties_)
        pa_proplist_free(properties_);
}

pa_stream* PulseConnection::newStream(const char* name, const pa_sample_spec& format)
{
    return pa_stream_new_with_proplist(context_, name, &format, nullptr, properties_);
}

void PulseConnection::onNextTurn(void (*callback)(pa_mainloop_api*, void* data), void* data)
{
    pa_mainloop_api_once(pa_threaded_mainloop_get_api(loop_), callback, data);
}

void PulseConnection::wait()
{
    pa_threaded_mainloop_wait(loop_);
}

void PulseConnection::signal()
{
    pa_threaded_mainloop_signal(loop_, 0);
}

void PulseConnection::onContextState(pa_context*, void* self)
{
    static_cast<PulseConnection*>(self)->signal();
}

PulseConnection::Lock::Lock(const PulseConnection& connection) : loop_(connection.loop_)
{
    pa_threaded_mainloop_lock(loop_);
}

PulseConnection::Lock::~Lock()
{
    pa_threaded_mainloop_unlock(loop_);
}

bool waitUntilReady(PulseConnection& connection, pa_stream* stream)
{
    while (!settled(pa_stream_get_state(stream)))
        connection.wait();
    return pa_stream_get_state(stream) == PA_STREAM_READY;
}
