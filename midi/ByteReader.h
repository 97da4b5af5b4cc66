#pragma once
// Bounds-checked reading of big-endian numbers, variable-length numbers and byte runs from
// a block of memory. Every read past the end raises the exception type the reader was
// made for, so a truncated file can never be read beyond its data.
#include <cstddef>
#include <cstdint>
#include <string>

template <class Error> class TByteReader {
public:
    TByteReader(const uint8_t *data, size_t size, std::string endMessage)
        : data_(data), size_(size), endMessage_(std::move(endMessage)) {}

    size_t Position() const { return pos_; }
    size_t Remaining() const { return size_ - pos_; }
    bool AtEnd() const { return pos_ >= size_; }

    uint8_t U8() {
        Need(1);
        return data_[pos_++];
    }
    uint8_t PeekU8() const {
        Need(1);
        return data_[pos_];
    }
    uint32_t U32BE() {
        Need(4);
        const uint32_t v = uint32_t(data_[pos_]) << 24 | uint32_t(data_[pos_ + 1]) << 16 |
                           uint32_t(data_[pos_ + 2]) << 8 | uint32_t(data_[pos_ + 3]);
        pos_ += 4;
        return v;
    }
    uint32_t U32LE() {
        Need(4);
        const uint32_t v = uint32_t(data_[pos_]) | uint32_t(data_[pos_ + 1]) << 8 | uint32_t(data_[pos_ + 2]) << 16 |
                           uint32_t(data_[pos_ + 3]) << 24;
        pos_ += 4;
        return v;
    }
    // A Standard MIDI File variable-length number: at most 4 bytes (28 bits).
    uint32_t VarLen() {
        uint32_t v = 0;
        for (int i = 0; i < 4; ++i) {
            const uint8_t b = U8();
            v = (v << 7) | (b & 0x7F);
            if (!(b & 0x80))
                return v;
        }
        throw Error("Invalid variable-length number");
    }
    // Returns a pointer to the next `count` bytes and steps over them.
    const uint8_t *Bytes(size_t count) {
        Need(count);
        const uint8_t *p = data_ + pos_;
        pos_ += count;
        return p;
    }
    void Skip(size_t count) { Bytes(count); }

private:
    void Need(size_t count) const {
        if (count > size_ - pos_)
            throw Error(endMessage_);
    }

    const uint8_t *data_;
    size_t size_;
    size_t pos_ = 0;
    std::string endMessage_;
};
