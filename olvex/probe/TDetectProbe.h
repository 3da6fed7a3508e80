#pragma once
// The probe-job worker: one thread per job, running one scripted
// conversation with the probe while the window waits in its event loop.
//
//   10  identify the probe
//   20  prepare a firmware upgrade
//   30  send the record's Command
//   40  start an unattended cast: PreCommand if pending, then Command
//   50  stop a running cast
//
// Any other job code does nothing. The job writes and listens through the
// JobHost and polls the ReplyState; every change to the window goes through
// the JobHost as a synchronous call into the window thread, so that thread
// must keep running its event loop while the job runs. The launcher starts
// the thread with start(); to have it free itself at its end, as the
// program's launchers do, connect finished() to deleteLater().
#include "probe/JobInterruption.h"

#include <QThread>

namespace olvex::probe {

class CURRENTPROBE;
class JobHost;
class ProbeDialogue;
class ReplyState;

class TDetectProbe : public QThread {
    Q_OBJECT
public:
    // All references must outlive the thread.
    TDetectProbe(int probeJob, CURRENTPROBE &probe, JobHost &host, ReplyState &replies,
                 QObject *parent = nullptr);

    int ProbeJob() const { return probeJob_; }

    // Any thread: makes the running job end at its next wait, without any
    // further message or window change. The reply timer and matcher may be
    // left running; this is meant for a program that is shutting down.
    void requestStop();

    // Window thread: requestStop(), then waits for the thread to end while
    // serving the window calls the job has already made (the job may be
    // blocked in one of them).
    void stopAndWait();

protected:
    void run() override;

private:
    void Execute();

    bool identify(ProbeDialogue &dialogue);
    bool prepareUpgrade(ProbeDialogue &dialogue);
    bool sendCommand(ProbeDialogue &dialogue);
    bool startUnattendedCast(ProbeDialogue &dialogue);
    bool stopCast(ProbeDialogue &dialogue);

    const int probeJob_;
    CURRENTPROBE &probe_;
    JobHost &host_;
    ReplyState &replies_;
    StopRequest stop_;
};

} // namespace olvex::probe
