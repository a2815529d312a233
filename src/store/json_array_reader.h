#pragma once

#include <QByteArray>
#include <QIODevice>
#include <functional>

// Splits a JSON document that is one top-level array of objects into the bytes of its
// elements, reading the device a block at a time: a history file of any length is never held
// whole in memory, only the element at hand. Each element's bytes go to `element` unparsed
// (from its "{" to its matching "}"); the caller parses them. Only the array's own syntax is
// checked here: "[" and "]", the commas, white space, string quoting inside elements, and
// nothing after the array but white space (a UTF-8 byte-order mark may come first).
namespace JsonArrayReader {

// False when the document is no such array, the device fails, or `element` returns false.
bool read(QIODevice &device, const std::function<bool(const QByteArray &element)> &element);

} // namespace JsonArrayReader
