#pragma once

#include <QIODevice>

// Passes writes through to another device and remembers the first one that did not go through whole.
// QPdfWriter ignores short writes, and a file that hits a size limit or a full disk reports them
// without raising its error flag, so this is the only place a truncated PDF can be noticed.
class CheckedWriteDevice : public QIODevice
{
public:
    explicit CheckedWriteDevice(QIODevice *target, QObject *parent = nullptr);

    bool hasFailed() const { return !failure.isEmpty(); }
    // Why the first failed write failed: the target's own reason, or a short write's.
    const QString &failureReason() const { return failure; }

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *data, qint64 size) override;

private:
    QIODevice *target;
    QString failure;
};
