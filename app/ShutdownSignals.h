#pragma once
// SIGTERM and SIGHUP (log-out, shutdown) as a Qt signal on the interface thread. The
// handler itself only writes the signal's number to a pipe; everything else runs from
// the event loop, where it may touch windows and files.

#include <QObject>

class QSocketNotifier;

class TShutdownSignals : public QObject
{
    Q_OBJECT
public:
    explicit TShutdownSignals(QObject *parent = nullptr);
    ~TShutdownSignals() override; // restores the default handlers

signals:
    void Received(int signalNumber);

private:
    void ReadPipe();
    QSocketNotifier *FNotifier = nullptr;
};
