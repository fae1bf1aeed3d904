#pragma once
// Tells when the computer goes to sleep and wakes again, from logind's
// PrepareForSleep signal on the system bus. TICKWELL_LOGIND_BUS names
// another bus to listen on (an address, as tests give a private one).
// Without logind nothing is told, and the once-a-second clock checks find
// the new day on their own.
#include <QObject>
#include <functional>

class TSleepWatch : public QObject {
    Q_OBJECT
public:
    TSleepWatch(std::function<void()> sleeping, std::function<void()> woken,
                QObject* parent = nullptr);
    ~TSleepWatch() override;
    // Whether the bus was there to listen on.
    bool Listening() const { return ListeningFlag; }

private slots:
    void PrepareForSleep(bool start);

private:
    std::function<void()> Sleeping;
    std::function<void()> Woken;
    bool ListeningFlag = false;
    bool OwnBus = false;
};
