#include "checkedwritedevice.h"

CheckedWriteDevice::CheckedWriteDevice(QIODevice *target, QObject *parent) : QIODevice(parent), target(target) { }

qint64 CheckedWriteDevice::readData(char *, qint64)
{
    return -1;
}

qint64 CheckedWriteDevice::writeData(const char *data, qint64 size)
{
    if (hasFailed())
        return -1;
    const qint64 written = target->write(data, size);
    if (written == size)
        return size;
    // In English like the renderer's other messages.
    failure = written < 0
        ? target->errorString()
        : QStringLiteral("Only %1 of %2 bytes could be written; the disk may be full.").arg(written).arg(size);
    return -1;
}
