// The PulseAudio output (PipeWire desktops serve the same API): the real
// device list, and a playback stream whose write requests pull the mixer.
#include "audio/log.h"
#include "audio/output.h"

#include <pulse/pulseaudio.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <string>
#include <utility>

namespace velmoro::audio {

namespace {

constexpr const char* kClientName = "Velmoro";

// A threaded main loop with a connected context; empty when no server answers.
class Connection {
public:
    Connection()
    {
        m_ready = Connect();
        if (!m_ready)
            Log(LogLevel::Warning,
                std::string("PulseAudio: no server answers: ") +
                    (m_context ? pa_strerror(pa_context_errno(m_context)) : "out of memory"));
    }

    ~Connection()
    {
        if (m_loop)
            pa_threaded_mainloop_stop(m_loop);
        if (m_context) {
            pa_context_disconnect(m_context);
            pa_context_unref(m_context);
        }
        if (m_loop)
            pa_threaded_mainloop_free(m_loop);
    }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    bool Ready() const { return m_ready; }
    pa_threaded_mainloop* Loop() const { return m_loop; }
    pa_context* Context() const { return m_context; }

    class Lock {
    public:
        explicit Lock(pa_threaded_mainloop* loop) : m_loop(loop) { pa_threaded_mainloop_lock(m_loop); }
        ~Lock() { pa_threaded_mainloop_unlock(m_loop); }
        Lock(const Lock&) = delete;
        Lock& operator=(const Lock&) = delete;

    private:
        pa_threaded_mainloop* m_loop;
    };

    // Waits with the loop locked until the operation is done.
    void Wait(pa_operation* op)
    {
        if (!op)
            return;
        while (pa_operation_get_state(op) == PA_OPERATION_RUNNING)
            pa_threaded_mainloop_wait(m_loop);
        pa_operation_unref(op);
    }

private:
    bool Connect()
    {
        m_loop = pa_threaded_mainloop_new();
        if (!m_loop)
            return false;
        m_context = pa_context_new(pa_threaded_mainloop_get_api(m_loop), kClientName);
        if (!m_context)
            return false;
        pa_context_set_state_callback(m_context, &Connection::OnState, m_loop);
        if (pa_context_connect(m_context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0 ||
            pa_threaded_mainloop_start(m_loop) < 0)
            return false;
        Lock lock(m_loop);
        for (;;) {
            const pa_context_state_t state = pa_context_get_state(m_context);
            if (state == PA_CONTEXT_READY)
                return true;
            if (!PA_CONTEXT_IS_GOOD(state))
                return false;
            pa_threaded_mainloop_wait(m_loop);
        }
    }

    static void OnState(pa_context*, void* loop)
    {
        pa_threaded_mainloop_signal(static_cast<pa_threaded_mainloop*>(loop), 0);
    }

    pa_threaded_mainloop* m_loop = nullptr;
    pa_context* m_context = nullptr;
    bool m_ready = false;
};

struct Sink {
    std::string name;
    std::string description;
};

std::vector<Sink> ListSinks(Connection& connection)
{
    struct Query {
        std::vector<Sink> sinks;
        pa_threaded_mainloop* loop;
    } query{{}, connection.Loop()};
    Connection::Lock lock(connection.Loop());
    connection.Wait(pa_context_get_sink_info_list(
        connection.Context(),
        [](pa_context*, const pa_sink_info* info, int eol, void* user) {
            auto* q = static_cast<Query*>(user);
            if (eol == 0 && info)
                q->sinks.push_back(
                    {info->name ? info->name : "", info->description ? info->description : ""});
            pa_threaded_mainloop_signal(q->loop, 0);
        },
        &query));
    return query.sinks;
}

// The server's name and version and the sink's description, into report;
// sink empty: the server's default. With the loop unlocked.
void DescribeServer(Connection& connection, const std::string& sink, DeviceReport& report)
{
    struct Query {
        DeviceReport* report;
        pa_threaded_mainloop* loop;
    } query{&report, connection.Loop()};
    Connection::Lock lock(connection.Loop());
    connection.Wait(pa_context_get_server_info(
        connection.Context(),
        [](pa_context*, const pa_server_info* info, void* user) {
            auto* q = static_cast<Query*>(user);
            if (info) {
                q->report->server = info->server_name ? info->server_name : "";
                q->report->serverVersion = info->server_version ? info->server_version : "";
                if (q->report->sinkName.empty() && info->default_sink_name)
                    q->report->sinkName = info->default_sink_name;
            }
            pa_threaded_mainloop_signal(q->loop, 0);
        },
        &query));
    if (!sink.empty())
        report.sinkName = sink;
    connection.Wait(pa_context_get_sink_info_by_name(
        connection.Context(), report.sinkName.c_str(),
        [](pa_context*, const pa_sink_info* info, int eol, void* user) {
            auto* q = static_cast<Query*>(user);
            if (eol == 0 && info && info->description)
                q->report->sinkDescription = info->description;
            pa_threaded_mainloop_signal(q->loop, 0);
        },
        &query));
}

// What the server holds of ours: 110 ms in all, so what is heard lags what
// was mixed (positions, levels, the spectrum) hardly more than a tenth of a
// second, and a pause, a seek or a crossfade is heard as soon. The server
// splits the target between the sink's own buffer, (target − 2·request)/2,
// and our queue: small requests leave the sink 50 ms, so it wakes some 20
// times a second (PipeWire's pulse server takes the same 50 ms as the
// graph's latency). Requests of half the target would leave the sink nothing,
// and the server would then run it at its smallest latency, waking every
// half millisecond.
constexpr pa_usec_t kTargetLatencyUsec = 110 * PA_USEC_PER_MSEC;
constexpr pa_usec_t kRequestUsec = 5 * PA_USEC_PER_MSEC;
// A connected stream holds the sink at its latency even while corked, and
// the sink keeps waking for it. After this long without sound the stream is
// let go; the next Start connects again, in about a millisecond on a local
// server.
constexpr pa_usec_t kIdleDisconnectUsec = 5 * PA_USEC_PER_SEC;

pa_buffer_attr PlaybackBufferAttributes(const pa_sample_spec& sampleSpec)
{
    pa_buffer_attr attr{};
    attr.maxlength = std::uint32_t(-1);
    attr.tlength = std::uint32_t(pa_usec_to_bytes(kTargetLatencyUsec, &sampleSpec));
    attr.prebuf = std::uint32_t(-1);
    attr.minreq = std::uint32_t(pa_usec_to_bytes(kRequestUsec, &sampleSpec));
    attr.fragsize = std::uint32_t(-1);
    return attr;
}

// The stream is connected while it plays and for a while after; the write
// requests, the idle timer and every change of the stream run with the
// loop's lock held.
class PulseOutput : public Output {
public:
    PulseOutput(std::unique_ptr<Connection> connection, const OutputFormat& format, RenderCallback render)
        : m_connection(std::move(connection)), m_format(format), m_render(std::move(render))
    {
    }

    ~PulseOutput() override
    {
        Stop();
        Connection::Lock lock(m_connection->Loop());
        if (m_idleTimer)
            pa_threaded_mainloop_get_api(m_connection->Loop())->time_free(m_idleTimer);
        DisconnectStream();
    }

    // Connects once, so that a device that cannot play is known at once.
    bool Open(const char* sink)
    {
        if (sink)
            m_sink = sink;
        Connection::Lock lock(m_connection->Loop());
        m_idleTimer =
            pa_context_rttime_new(m_connection->Context(), PA_USEC_INVALID, &PulseOutput::OnIdle, this);
        if (!m_idleTimer || !ConnectStream())
            return false;
        pa_context_rttime_restart(m_connection->Context(), m_idleTimer,
                                  pa_rtclock_now() + kIdleDisconnectUsec);
        return true;
    }

    bool Start() override
    {
        Connection::Lock lock(m_connection->Loop());
        pa_context_rttime_restart(m_connection->Context(), m_idleTimer, PA_USEC_INVALID);
        if (!m_stream && !ConnectStream())
            return false;
        m_active = true;
        m_connection->Wait(pa_stream_cork(m_stream, 0, &PulseOutput::OnDone, m_connection->Loop()));
        return true;
    }

    void Stop() override
    {
        // Write requests run on the loop's thread with its lock held, so once
        // this lock is ours none runs, and m_active keeps later ones silent.
        Connection::Lock lock(m_connection->Loop());
        if (!m_active)
            return;
        m_active = false;
        m_connection->Wait(pa_stream_cork(m_stream, 1, &PulseOutput::OnDone, m_connection->Loop()));
        pa_context_rttime_restart(m_connection->Context(), m_idleTimer,
                                  pa_rtclock_now() + kIdleDisconnectUsec);
    }

    double LatencySeconds() const override
    {
        return double(std::max<std::int64_t>(0, m_heardByUsec - NowUsec())) / 1e6;
    }

    // The stream's own sink, format and latency while it is connected; the
    // ones asked for while it is let go.
    void Describe(DeviceReport& report) override
    {
        std::string sink = m_sink;
        report.latencyMs = int(kTargetLatencyUsec / PA_USEC_PER_MSEC);
        {
            Connection::Lock lock(m_connection->Loop());
            if (m_stream && pa_stream_get_state(m_stream) == PA_STREAM_READY) {
                if (const char* device = pa_stream_get_device_name(m_stream))
                    sink = device;
                const pa_sample_spec* streamFormat = pa_stream_get_sample_spec(m_stream);
                if (streamFormat) {
                    report.sampleFormat = pa_sample_format_to_string(streamFormat->format);
                    report.rate = int(streamFormat->rate);
                    report.channels = streamFormat->channels;
                }
                const pa_buffer_attr* attr = pa_stream_get_buffer_attr(m_stream);
                if (streamFormat && attr)
                    report.latencyMs = int(pa_bytes_to_usec(attr->tlength, streamFormat) / PA_USEC_PER_MSEC);
            }
        }
        DescribeServer(*m_connection, sink, report);
    }

private:
    // With the loop locked. The stream starts corked: Start uncorks it.
    bool ConnectStream()
    {
        const pa_sample_spec sampleSpec{m_format.bits == 8 ? PA_SAMPLE_U8 : PA_SAMPLE_S16LE,
                                        std::uint32_t(m_format.rate), std::uint8_t(m_format.channels)};
        m_stream = pa_stream_new(m_connection->Context(), kClientName, &sampleSpec, nullptr);
        if (!m_stream)
            return false;
        pa_stream_set_state_callback(m_stream, &PulseOutput::OnState, m_connection->Loop());
        pa_stream_set_write_callback(m_stream, &PulseOutput::OnWrite, this);
        const pa_buffer_attr attr = PlaybackBufferAttributes(sampleSpec);
        // The timing flags keep the latency answered by the client library
        // current between the server's reports, without a round trip.
        const auto flags = pa_stream_flags_t(PA_STREAM_ADJUST_LATENCY | PA_STREAM_START_CORKED |
                                             PA_STREAM_INTERPOLATE_TIMING | PA_STREAM_AUTO_TIMING_UPDATE);
        if (pa_stream_connect_playback(m_stream, m_sink.empty() ? nullptr : m_sink.c_str(), &attr, flags,
                                       nullptr, nullptr) == 0) {
            for (;;) {
                const pa_stream_state_t state = pa_stream_get_state(m_stream);
                if (state == PA_STREAM_READY)
                    return true;
                if (!PA_STREAM_IS_GOOD(state))
                    break;
                pa_threaded_mainloop_wait(m_connection->Loop());
            }
        }
        Log(LogLevel::Warning, "PulseAudio: cannot play on " +
                                   (m_sink.empty() ? "the default device" : m_sink) + ": " +
                                   pa_strerror(pa_context_errno(m_connection->Context())));
        DisconnectStream();
        return false;
    }

    // With the loop locked.
    void DisconnectStream()
    {
        if (!m_stream)
            return;
        pa_stream_set_state_callback(m_stream, nullptr, nullptr);
        pa_stream_set_write_callback(m_stream, nullptr, nullptr);
        pa_stream_disconnect(m_stream);
        pa_stream_unref(m_stream);
        m_stream = nullptr;
    }

    static void OnIdle(pa_mainloop_api*, pa_time_event*, const struct timeval*, void* user)
    {
        auto* self = static_cast<PulseOutput*>(user);
        if (!self->m_active)
            self->DisconnectStream();
    }
    static void OnState(pa_stream*, void* loop)
    {
        pa_threaded_mainloop_signal(static_cast<pa_threaded_mainloop*>(loop), 0);
    }
    static void OnDone(pa_stream*, int, void* loop)
    {
        pa_threaded_mainloop_signal(static_cast<pa_threaded_mainloop*>(loop), 0);
    }

    static void OnWrite(pa_stream* stream, std::size_t bytes, void* user)
    {
        auto* self = static_cast<PulseOutput*>(user);
        const auto frameBytes = std::size_t(self->m_format.BytesPerFrame());
        while (bytes >= frameBytes) {
            void* data = nullptr;
            std::size_t chunk = bytes;
            if (pa_stream_begin_write(stream, &data, &chunk) < 0 || !data)
                return;
            const std::size_t frames = chunk / frameBytes;
            if (frames == 0) {
                pa_stream_cancel_write(stream);
                return;
            }
            if (self->m_active)
                self->m_render(data, frames);
            else
                std::fill_n(static_cast<std::uint8_t*>(data), frames * frameBytes,
                            std::uint8_t(self->m_format.bits == 8 ? 0x80 : 0));
            pa_stream_write(stream, data, frames * frameBytes, nullptr, 0, PA_SEEK_RELATIVE);
            bytes -= frames * frameBytes;
        }
        self->NoteLatency(stream);
    }

    // On the loop's thread, after a write: when all that was written will
    // have been heard. Kept as one number so that any thread can read it
    // without the loop's lock.
    void NoteLatency(pa_stream* stream)
    {
        pa_usec_t latency = 0;
        int negative = 0;
        if (pa_stream_get_latency(stream, &latency, &negative) != 0)
            return; // no timing report yet
        m_heardByUsec = NowUsec() + (negative ? 0 : std::int64_t(latency));
    }

    static std::int64_t NowUsec()
    {
        return std::chrono::duration_cast<std::chrono::microseconds>(
                   std::chrono::steady_clock::now().time_since_epoch())
            .count();
    }

    std::unique_ptr<Connection> m_connection;
    OutputFormat m_format;
    RenderCallback m_render;
    std::string m_sink; // empty: the default device
    pa_stream* m_stream = nullptr;
    pa_time_event* m_idleTimer = nullptr;
    bool m_active = false;
    std::atomic<std::int64_t> m_heardByUsec{0}; // on the steady clock
};

class PulseProvider : public OutputProvider {
public:
    std::vector<std::string> Devices() override
    {
        Connection connection;
        std::vector<std::string> names;
        if (!connection.Ready())
            return names;
        for (const Sink& sink : ListSinks(connection))
            names.push_back(sink.description.empty() ? sink.name : sink.description);
        return names;
    }

    std::unique_ptr<Output> Open(int device, const OutputFormat& format, RenderCallback render) override
    {
        auto connection = std::make_unique<Connection>();
        if (!connection->Ready())
            return nullptr;
        std::string sink;
        if (device >= 0) {
            const std::vector<Sink> sinks = ListSinks(*connection);
            if (std::size_t(device) >= sinks.size()) {
                Log(LogLevel::Warning, "PulseAudio: no device " + std::to_string(device) +
                                           ", the server has " + std::to_string(sinks.size()));
                return nullptr;
            }
            sink = sinks[std::size_t(device)].name;
        }
        auto output = std::make_unique<PulseOutput>(std::move(connection), format, std::move(render));
        if (!output->Open(sink.empty() ? nullptr : sink.c_str()))
            return nullptr;
        return output;
    }
};

} // namespace

std::unique_ptr<OutputProvider> MakePulseProvider()
{
    return std::make_unique<PulseProvider>();
}

} // namespace velmoro::audio
