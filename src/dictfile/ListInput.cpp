// SPDX-License-Identifier: GPL-3.0-or-later
#include "dictfile/ListInput.h"

#include "dictfile/Cp1257.h"

#include <QIODevice>

#include <cstring>

namespace {

// Below the allocators' threshold for a fresh memory mapping, so a read costs no mmap/munmap.
constexpr qint64 BlockSize = 16 * 1024;

bool isLineEnd(char c) {
    return c == '\r' || c == '\n';
}

} // namespace

ListInput::ListInput(QIODevice& device, qint64 limit) : device_(device), limit_(limit) {}

bool ListInput::refill() {
    if (end_ || error_)
        return false;
    if (taken_ > limit_) {
        end_ = true;
        return false;
    }
    buffer_.resize(BlockSize);
    const qint64 got = device_.read(buffer_.data(), BlockSize);
    pos_ = 0;
    if (got < 0) {
        error_ = true;
        buffer_.clear();
        return false;
    }
    buffer_.resize(got);
    if (got == 0) {
        end_ = true;
        return false;
    }
    taken_ += got;
    return true;
}

int ListInput::peek() {
    if (pos_ >= buffer_.size() && !refill())
        return -1;
    return static_cast<unsigned char>(buffer_[pos_]);
}

bool ListInput::atEnd() {
    return peek() < 0 && !error_;
}

bool ListInput::onlyBlanksLeft() {
    for (int c = peek(); c >= 0; c = peek()) {
        if (c != ' ' && c != '\t' && c != 0x1A && !isLineEnd(char(c)))
            return false;
        next();
    }
    return !error_;
}

// Consumes the comma or the line end that closes a field.
void ListInput::endField() {
    const int c = peek();
    if (c == ',' || c == '\n') {
        next();
    } else if (c == '\r') {
        next();
        if (peek() == '\n')
            next();
    }
}

void ListInput::scanQuoted(QByteArray& raw) {
    next(); // the opening quote
    for (;;) {
        if (peek() < 0)
            break; // no closing quote: the field runs to the end of the file
        const char* data = buffer_.constData();
        const char* from = data + pos_;
        const char* to = data + buffer_.size();
        const auto* quote = static_cast<const char*>(std::memchr(from, '"', to - from));
        if (!quote) {
            raw.append(from, to - from);
            pos_ = buffer_.size();
            continue;
        }
        raw.append(from, quote - from);
        pos_ = quote - data + 1;
        if (peek() != '"')
            break;
        raw.append('"');
        next();
    }
    // Whatever stands between the closing quote and the end of the field is dropped.
    for (int c = peek(); c >= 0 && c != ',' && !isLineEnd(char(c)); c = peek()) {
        const char* data = buffer_.constData();
        qsizetype i = pos_;
        while (i < buffer_.size() && data[i] != ',' && !isLineEnd(data[i]))
            ++i;
        pos_ = i;
    }
    endField();
}

void ListInput::scanPlain(QByteArray& raw) {
    while (peek() >= 0) {
        const char* data = buffer_.constData();
        const qsizetype start = pos_;
        qsizetype i = start;
        while (i < buffer_.size() && data[i] != ',' && !isLineEnd(data[i]))
            ++i;
        raw.append(data + start, i - start);
        pos_ = i;
        if (i < buffer_.size())
            break;
    }
    endField();
}

ListInput::Status ListInput::readField(QString& field) {
    field.clear();
    if (peek() < 0)
        return error_ ? Status::ReadError : Status::PastEnd;
    while (peek() == ' ')
        next();
    QByteArray& raw = raw_;
    raw.resize(0);
    if (peek() == '"')
        scanQuoted(raw);
    else
        scanPlain(raw);
    if (error_)
        return Status::ReadError;
    if (taken_ > limit_)
        return Status::TooLarge;
    field = cp1257::decode(raw);
    return Status::Ok;
}
