#pragma once

#include "probesim/CommandParser.h"
#include "probesim/CommandTable.h"
#include "probesim/PtyDevice.h"
#include "probesim/ReplySchedule.h"

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace probesim {

// What the probe says about itself. Each text is sent exactly as given,
// leading blanks included.
struct Identity {
    std::string firmware = " 9.0";  // after "FR" in the FR reply
    std::string type = " 427Qx";    // after "LUMEN KAROS:" in the PI reply
    std::string revision = " 8.0";  // after "Revision:"
    std::string product = " 427Qx"; // after "Product code:"
    std::string serial = "10234";   // after "SN " in the SN reply
    bool answersPi = true;          // false: PI gets no reply at all
};

// Code after "ER " in the reply to the status request and to an accepted
// command.
inline constexpr std::string_view kAcceptedCode = "000";

// Count for ProbeSimulator::silence(): ignore the command every time.
inline constexpr int kAlways = -1;

// Misbehaviour on demand. Command names are those of Command::name:
// "STATUS" for the status byte, "FR", "PI", "SN", "SO", "VT", "TS", ...
struct Faults {
    // No reply to anything (bytes are still received and recorded).
    bool silent = false;
    // Command name -> how many more times it is ignored, or kAlways.
    std::map<std::string, int> silences;
    // Command name -> code that replaces its reply by "\r\nER <code>\r\n".
    std::map<std::string, std::string> refusals;
    ReplyShaping shaping;
};

struct Config {
    // Symbolic link to the slave created on start and removed on stop;
    // empty for none.
    std::string linkPath;
    Identity identity;
    Faults faults;
    // Keep every received and sent byte for receivedBytes()/sentBytes().
    // Long interactive sessions may switch it off; commands are always kept.
    bool recordTraffic = true;
};

struct TimedByte {
    std::chrono::steady_clock::time_point at;
    unsigned char value;
};

struct CommandRecord {
    std::chrono::steady_clock::time_point at;  // arrival of its last byte
    std::string name;
    std::string text;  // as received, line end excluded
};

// A simulated probe on a pseudo-terminal. The program under test opens
// devicePath() (or the link) as its serial port.
//
// Replies:
//   status byte 0x14 -> "\r\nER 000\r\n"
//   "VT"  -> "\r\ncmd>"
//   "FR"  -> "FR" + firmware + "\r\n"
//   "PI"  -> "\r\nLUMEN KAROS:" + type + "\r\nRevision:" + revision
//            + "\r\nProduct code:" + product + "\r\n"
//   "SN"  -> "SN " + serial + "\r\n"
//   "SO" and every other line starting with two capital letters
//         -> "\r\nER 000\r\n"
// Other lines get no reply; see CommandParser for how lines are framed.
//
// Faults are applied in this order: total silence, silence of the command,
// refusal of the command, then the reply is delayed, split and thinned out.
//
// All methods are thread-safe. Identity, faults and handlers may be changed
// while running; a change applies to commands that complete afterwards.
class ProbeSimulator {
public:
    using Clock = std::chrono::steady_clock;

    explicit ProbeSimulator(Config config = {});
    // Calls stop().
    ~ProbeSimulator();
    ProbeSimulator(const ProbeSimulator&) = delete;
    ProbeSimulator& operator=(const ProbeSimulator&) = delete;

    // Opens a new pseudo-terminal (and the link, if configured) and starts
    // serving it. Returns false with the cause in *error (when not null) if
    // the device cannot be set up, and true at once if already running.
    // May be called again after stop() or vanish(): the probe comes back on
    // a new slave path, the link (if any) pointing at it.
    bool start(std::string* error);

    // Ends the simulation: the device disappears as with vanish(). Replies
    // not yet written are lost; the logs are kept. Harmless when stopped.
    void stop();

    // The device disappears like a pulled USB adapter: the link is removed
    // and the master and our own slave descriptor are closed, so a program
    // holding the port gets a hang-up or an error.
    // stop() and vanish() wait for the service thread: never call them from
    // a handler.
    void vanish();

    bool isRunning() const;

    // Slave path of the current (or last) device, e.g. "/dev/pts/5"; empty
    // before the first successful start().
    std::string devicePath() const;
    // The configured link path (possibly empty).
    std::string linkPath() const;

    Identity identity() const;
    void setIdentity(Identity identity);
    void setFirmware(std::string text);
    void setType(std::string text);
    void setRevision(std::string text);
    void setProduct(std::string text);
    void setSerial(std::string text);
    void setAnswersPi(bool answers);

    Faults faults() const;
    void setFaults(Faults faults);
    void clearFaults();
    void setSilent(bool silent);
    // Ignores the next `times` commands named `command` (kAlways: all of
    // them; 0 ends an earlier silence).
    void silence(const std::string& command, int times = kAlways);
    // Answers `command` with "\r\nER <code>\r\n" in place of its reply.
    void refuse(const std::string& command, std::string code);
    // Ends a refusal set by refuse().
    void accept(const std::string& command);
    void setReplyDelay(std::chrono::milliseconds delay);
    // Pieces of `bytes` bytes, `gap` apart; 0 bytes writes replies whole.
    void setSplit(std::size_t bytes, std::chrono::milliseconds gap);
    // Loses every Nth byte of each reply; 0 loses nothing.
    void setDropEvery(std::size_t n);

    // Sets or replaces how a line command (or "STATUS") is answered.
    void setCommandHandler(const std::string& name, Handler handler);
    // Adds a word that is a command without a line end, e.g. "SERV".
    void setBareWordHandler(const std::string& word, Handler handler);

    // Observation since construction or the last clearLog(), in order. A
    // reply byte that the client has read is already in sentBytes(); a byte
    // the client has written reaches receivedBytes() a little later (use
    // waitForCommand() to wait for it).
    std::vector<TimedByte> receivedBytes() const;
    std::vector<TimedByte> sentBytes() const;
    std::vector<CommandRecord> commands() const;
    std::size_t commandCount(const std::string& name) const;
    void clearLog();

    // Waits until `name` has been received at least `times` times since the
    // last clearLog(). Returns false if that has not happened by `timeout`.
    bool waitForCommand(const std::string& name, std::size_t times,
                        std::chrono::milliseconds timeout) const;

private:
    // What to do with a recognised command, decided under the lock.
    struct Dispatch {
        Command command;
        std::optional<std::string> fixedReply;  // refusal
        Handler handler;                        // empty: stay silent
        ReplyShaping shaping;
    };

    void installStandardCommands();
    void serve();
    // False when the device can no longer be read.
    bool readInput();
    bool writeDue();
    Dispatch dispatchLocked(Command command, Clock::time_point at);
    std::size_t countLocked(const std::string& name) const;
    void shutDown();

    mutable std::mutex mutex_;
    mutable std::condition_variable commandArrived_;
    Config config_;
    CommandTable table_;
    std::vector<TimedByte> received_;
    std::vector<TimedByte> sent_;
    std::vector<CommandRecord> commands_;

    std::string devicePath_;
    bool running_ = false;

    // Serialises start(), stop() and vanish(), which own the members below;
    // the service thread uses them only while it runs.
    std::mutex lifecycle_;
    PtyDevice device_;
    int wakeRead_ = -1;
    int wakeWrite_ = -1;
    std::thread service_;

    // Service thread only.
    CommandParser parser_;
    ReplySchedule schedule_;
};

}  // namespace probesim
