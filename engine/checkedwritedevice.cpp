#include "checkedwritedevice.h"

CheckedWriteDevice::CheckedWriteDevice(QIODevice *target, QObject *parent) : QIODevice(parent), target(target) { }

qint64 CheckedWriteDevice::readData(char *, qint64)
{
    return -1;
}

qint64 CheckedWriteDevice::writeData(const char *data, qint64 size)
{
    if (failed)
        return -1;
    if (target->write(data, size) != size) {
        failed = true;
        return -1;
    }
    return size;
}
