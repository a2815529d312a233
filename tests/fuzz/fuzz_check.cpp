#include "fuzz_check.h"

#include <QStringDecoder>

QString fuzzText(const uint8_t *data, size_t size)
{
    QStringDecoder decoder(QStringDecoder::Utf8);
    return decoder.decode(fuzzBytes(data, size));
}
