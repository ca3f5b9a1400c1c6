#pragma once

#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <cstring>

// Takes typed values off the front of a fuzzer's input; past its end every value is 0.
class FuzzInput {
public:
    FuzzInput(const uint8_t* data, size_t size) : _data(data), _size(size) {}

    template <typename T> T Take() {
        T value{};
        const size_t n = sizeof(T) < Remaining() ? sizeof(T) : Remaining();
        if (n > 0) {
            std::memcpy(&value, _data + _offset, n);
        }
        _offset += n;
        return value;
    }

    // An integer in lo..hi.
    int32_t IntIn(int32_t lo, int32_t hi) {
        const uint32_t span = uint32_t(hi - lo) + 1u;
        return lo + int32_t(Take<uint32_t>() % (span == 0 ? 1u : span));
    }

    // Mostly ordinary numbers, sometimes any bit pattern (NaN, infinities, huge values).
    float AnyFloat() {
        const uint8_t kind = Take<uint8_t>();
        if (kind < 48) {
            return Take<float>();
        }
        if (kind < 96) {
            return float(Take<int16_t>()) / float(1 + (kind & 7));
        }
        return float(Take<int8_t>()) / float(1 + (kind & 3));
    }

    QByteArray Rest() {
        QByteArray rest(reinterpret_cast<const char*>(_data + _offset), int(Remaining()));
        _offset = _size;
        return rest;
    }

    size_t Remaining() const { return _size - _offset; }

private:
    const uint8_t* _data;
    size_t _size;
    size_t _offset = 0;
};
