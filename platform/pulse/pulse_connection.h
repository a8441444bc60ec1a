#pragma once

#include "base/result.h"

#include <memory>

struct pa_threaded_mainloop;
struct pa_context;
struct pa_mainloop_api;
struct pa_proplist;
struct pa_stream;
struct pa_sample_spec;

// One connection to the desktop's sound server (PulseAudio, or PipeWire's
// PulseAudio service) with a thread of its own that runs the server's
// callbacks. Never starts a server: a desktop without one is left as it is.
//
// Threads: the callbacks of the context and of every stream made here run on
// the connection's thread. Any other thread touches the context or a stream
// only while holding a `Lock`. Streams must be disconnected (under the lock)
// before the connection is destroyed.
class PulseConnection {
public:
    // Connects and waits until the server accepts or refuses; `role` is the
    // media role streams are made with ("music", "phone", ...).
    static Result<std::unique_ptr<PulseConnection>> open(const char* role);
    ~PulseConnection();
    PulseConnection(const PulseConnection&) = delete;
    PulseConnection& operator=(const PulseConnection&) = delete;

    pa_context* context() const { return context_; }

    // A stream of this program with the connection's role, or null.
    // Hold the lock.
    pa_stream* newStream(const char* name, const pa_sample_spec& format);

    // Holding the lock (or on the connection's thread): runs `callback` once
    // on the connection's thread at the loop's next turn. Dropped unrun when
    // the connection goes first.
    void onNextTurn(void (*callback)(pa_mainloop_api*, void* data), void* data);

    // Holding the lock, waits for `signal` from the connection's thread.
    void wait();
    // From a callback: wakes a `wait`.
    void signal();

    class Lock {
    public:
        explicit Lock(const PulseConnection& connection);
        ~Lock();
        Lock(const Lock&) = delete;
        Lock& operator=(const Lock&) = delete;

    private:
        pa_threaded_mainloop* loop_;
    };

private:
    PulseConnection() = default;
    Status connect(const char* role);
    static void onContextState(pa_context* context, void* self);

    pa_threaded_mainloop* loop_ = nullptr;
    pa_context* context_ = nullptr;
    pa_proplist* properties_ = nullptr;
};

// Holding the lock, waits until `stream` is ready or has failed; true when ready.
bool waitUntilReady(PulseConnection& connection, pa_stream* stream);
