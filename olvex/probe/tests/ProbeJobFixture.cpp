#include "ProbeJobFixture.h"

#include "probe/TDetectProbe.h"
#include "testsupport/TestApplication.h"

#include <QEventLoop>
#include <QThread>
#include <QTimer>

#include <memory>

namespace olvex::probe::tests {

namespace {

bool runToEnd(QThread &thread, std::chrono::milliseconds patience)
{
    QEventLoop loop;
    QObject::connect(&thread, &QThread::finished, &loop, &QEventLoop::quit, Qt::QueuedConnection);
    QTimer::singleShot(patience, &loop, &QEventLoop::quit);
    thread.start();
    loop.exec();
    return thread.wait(QDeadlineTimer(1000));
}

} // namespace

void ProbeJobTest::SetUpTestSuite()
{
    testsupport::ensureApplication();
}

void ProbeJobTest::SetUp()
{
    timing::setTestScale(JobTestScale);
    ASSERT_TRUE(logDirectory.isValid());
    std::string error;
    ASSERT_TRUE(simulator.start(&error)) << error;
    port.setDevicePath(QString::fromStdString(simulator.devicePath()));
    QString openError;
    ASSERT_TRUE(port.open(&openError)) << openError.toStdString();
}

void ProbeJobTest::TearDown()
{
    timing::setTestScale(1.0);
}

bool ProbeJobTest::runJob(int probeJob)
{
    TDetectProbe job(probeJob, probe, host, host.replyState());
    if (runToEnd(job, Patience))
        return true;
    job.stopAndWait();
    return false;
}

bool ProbeJobTest::runOnWorker(std::function<void()> work)
{
    std::unique_ptr<QThread> worker(QThread::create(std::move(work)));
    if (runToEnd(*worker, Patience))
        return true;
    worker->wait();
    return false;
}

std::vector<std::string> ProbeJobTest::commandNames() const
{
    std::vector<std::string> names;
    for (const probesim::CommandRecord &command : simulator.commands())
        names.push_back(command.name);
    return names;
}

std::vector<std::chrono::steady_clock::time_point> ProbeJobTest::callTimes(const QString &prefix) const
{
    std::vector<std::chrono::steady_clock::time_point> times;
    for (const auto &call : host.calls())
        if (call.text.startsWith(prefix))
            times.push_back(call.at);
    return times;
}

void answerPiOnly(probesim::ProbeSimulator &simulator, int answered)
{
    auto count = std::make_shared<int>(0);
    simulator.setCommandHandler("PI", [&simulator, count, answered](const probesim::Command &)
                                          -> std::optional<std::string> {
        if ((*count)++ >= answered)
            return std::nullopt;
        const probesim::Identity id = simulator.identity();
        return "\r\nLUMEN KAROS:" + id.type + "\r\nRevision:" + id.revision
            + "\r\nProduct code:" + id.product + "\r\n";
    });
}

} // namespace olvex::probe::tests
