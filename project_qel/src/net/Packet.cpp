#include "net/Packet.h"

#include <bit>
#include <cmath>
#include <cstring>
#include <limits>

#include "engine/Qel.h"
#include "engine/QelAssert.h"
#include "net/NetRole.h"
#include "object/RuntimeClassManager.h"
#include "resource/ResourceManager.h"
#include "system/Crc32.h"

// Raw values are copied as they lie in memory.
static_assert(std::endian::native == std::endian::little, "the stream format is little-endian");

// A fatal check whose report shows the given statement text.
#define PACKET_CHECK(condition, statement)                              \
    do {                                                                \
        if (!(condition)) {                                             \
            ::qelAssertFailed(statement, __func__, __FILE__, __LINE__); \
        }                                                               \
    } while (0)

namespace {

constexpr u8 STRING_MASK = 0x4B;

u16 encodeHalf(float value)
{
    if (std::isnan(value) || value == 0.0f) {
        return 0;
    }
    constexpr float smallest = 3.1e-5f;
    constexpr float largest = 130000.0f;
    if (value > 0.0f && value < smallest) {
        value = smallest;
    } else if (value > largest) {
        value = largest;
    } else if (value < -largest) {
        value = -largest;
    } else if (value < 0.0f && value > -smallest) {
        value = -smallest;
    }
    u32 b = std::bit_cast<u32>(value);
    u32 h = ((((b >> 23) & 0xFF) - 112) & 0x1F) << 10;
    h |= (b & 0x80000000u) >> 16;
    h |= (b & 0x7FE000u) >> 13;
    return static_cast<u16>(h);
}

float decodeHalf(u16 h)
{
    if (h == 0) {
        return 0.0f;
    }
    u32 b = (u32(h & 0x8000) << 16) | ((u32(h & 0x7C00) << 13) + 0x38000000u) | (u32(h & 0x3FF) << 13);
    return std::bit_cast<float>(b);
}

} // namespace

float Packet::toFloat(double d)
{
    constexpr double largest = std::numeric_limits<float>::max();
    if (d > largest) {
        return std::numeric_limits<float>::infinity();
    }
    if (d < -largest) {
        return -std::numeric_limits<float>::infinity();
    }
    return static_cast<float>(d);
}

Packet::Packet(u32 packetFlags, int packetCapacity)
    : flags(packetFlags), capacity(packetCapacity < 0 ? DEFAULT_CAPACITY : packetCapacity),
      length(capacity)
{
    if (capacity > 0) {
        buffer = new u8[static_cast<size_t>(capacity)]();
    }
    cursor = buffer;
}

Packet::~Packet()
{
    delete[] buffer;
}

void Packet::rewindToRead()
{
    PACKET_CHECK(bWriting, "bWriting");
    length = static_cast<i32>(cursor - buffer);
    cursor = buffer;
    bitByte = nullptr;
    bitMask = 0;
    bitIndex = 0;
    bWriting = false;
}

void Packet::reset()
{
    cursor = buffer;
    bitByte = nullptr;
    bitMask = 0;
    bitIndex = 0;
    length = capacity;
    bError = false;
}

void Packet::setError(std::string_view reason)
{
    if (!bError) {
        bError = true;
        errorText.assign(reason);
    }
}

Packet::Mark Packet::mark() const
{
    return {static_cast<i32>(cursor - buffer), bitByte != nullptr ? static_cast<i32>(bitByte - buffer) : -1,
            bitByte != nullptr ? *bitByte : u8(0), bitMask, bitIndex};
}

void Packet::rollBack(const Mark& at)
{
    cursor = buffer + at.size;
    bitByte = at.bitByteAt >= 0 ? buffer + at.bitByteAt : nullptr;
    if (bitByte != nullptr) {
        *bitByte = at.bitByteValue;
    }
    bitMask = at.bitMask;
    bitIndex = at.bitIndex;
    bError = false;
}

i32 Packet::getDataSize() const
{
    return bWriting ? static_cast<i32>(cursor - buffer) : length;
}

bool Packet::atEnd() const
{
    return hasError() || cursor - buffer >= length;
}

void Packet::writeRaw(const void* p, int n)
{
    if (n <= 0) {
        return;
    }
    if (bBounded && (hasError() || n > capacity - (cursor - buffer))) {
        setError("write past the end");
        return;
    }
    PACKET_CHECK(n <= capacity - (cursor - buffer), "n<=capacity-(cursor-buffer)");
    std::memcpy(cursor, p, static_cast<size_t>(n));
    cursor += n;
}

void Packet::readRaw(void* p, int n)
{
    if (n <= 0) {
        return;
    }
    if (!hasError() && n > length - (cursor - buffer)) {
        setError("read past the end");
    }
    if (hasError()) {
        std::memset(p, 0, static_cast<size_t>(n));
        return;
    }
    std::memcpy(p, cursor, static_cast<size_t>(n));
    cursor += n;
}

void Packet::doRaw(void* p, int n)
{
    if (bWriting) {
        writeRaw(p, n);
    } else {
        readRaw(p, n);
    }
}

void Packet::doBytes(void* p, int n)
{
    doRaw(p, n);
}

void Packet::doDouble(double* d)
{
    float f = bWriting ? toFloat(*d) : 0.0f;
    doRaw(&f, 4);
    *d = f;
}

void Packet::doV3(V3* v)
{
    doRaw(&v->x, 4);
    doRaw(&v->y, 4);
    doRaw(&v->z, 4);
}

void Packet::doColor(UColor* c)
{
    u32 argb = c->toARGB();
    doRaw(&argb, 4);
    *c = UColor::fromARGB(argb);
}

void Packet::doAddress(NetAddress* a)
{
    u32 ip = a->getIP();
    u16 port = a->getPort();
    doRaw(&ip, 4);
    doRaw(&port, 2);
    if (!bWriting) {
        a->set(ip, port);
    }
}

void Packet::doUInt(u32* v)
{
    if (bWriting) {
        u32 rest = *v;
        do {
            u8 byte = rest & 0x7F;
            rest >>= 7;
            if (rest != 0) {
                byte |= 0x80;
            }
            writeRaw(&byte, 1);
        } while (rest != 0);
        return;
    }
    u64 value = 0;
    for (int i = 0;; ++i) {
        u8 byte = 0;
        readRaw(&byte, 1);
        value |= u64(byte & 0x7F) << (7 * i);
        if ((byte & 0x80) == 0) {
            break;
        }
        if (i == 4) {
            setError("variable-length integer longer than 5 bytes");
            break;
        }
    }
    if (value > 0xFFFFFFFFu) {
        setError("variable-length integer beyond 32 bits");
    }
    *v = hasError() ? 0 : static_cast<u32>(value);
}

void Packet::doInt(i32* v)
{
    if (bWriting) {
        // The magnitude of the most negative value, 2^31, fits a u32.
        u32 magnitude = *v < 0 ? 0u - static_cast<u32>(*v) : static_cast<u32>(*v);
        u8 first = magnitude & 0x3F;
        if (*v < 0) {
            first |= 0x40;
        }
        u32 rest = magnitude >> 6;
        if (rest != 0) {
            first |= 0x80;
        }
        writeRaw(&first, 1);
        if (rest != 0) {
            doUInt(&rest);
        }
        return;
    }
    u8 first = 0;
    readRaw(&first, 1);
    u32 rest = 0;
    if ((first & 0x80) != 0) {
        doUInt(&rest);
    }
    u64 magnitude = (u64(rest) << 6) | (first & 0x3F);
    bool negative = (first & 0x40) != 0;
    if (magnitude > (negative ? 0x80000000u : 0x7FFFFFFFu)) {
        setError("signed integer beyond 32 bits");
    }
    if (hasError()) {
        *v = 0;
    } else {
        *v = negative ? static_cast<i32>(0u - static_cast<u32>(magnitude)) : static_cast<i32>(magnitude);
    }
}

void Packet::doHalfFloat(float* f)
{
    u16 h = bWriting ? encodeHalf(*f) : 0;
    u8 bytes[2] = {static_cast<u8>(h), static_cast<u8>(h >> 8)};
    doRaw(bytes, 2);
    if (!bWriting) {
        *f = decodeHalf(static_cast<u16>(bytes[0] | (bytes[1] << 8)));
    }
}

void Packet::doHalfFloat(double* d)
{
    float f = toFloat(*d);
    doHalfFloat(&f);
    *d = f;
}

void Packet::doBit(bool* bit)
{
    bitMask = static_cast<u8>(bitMask << 1);
    ++bitIndex;
    if (bitMask == 0) {
        bitMask = 1;
        bitIndex = 0;
        if (bWriting) {
            u8 zero = 0;
            bitByte = cursor;
            writeRaw(&zero, 1);
            if (hasError()) {
                bitByte = nullptr;
            }
        } else if (!hasError() && cursor - buffer < length) {
            bitByte = cursor++;
        } else {
            setError("read past the end");
            bitByte = nullptr;
        }
    }
    if (bWriting) {
        if (*bit && bitByte != nullptr) {
            *bitByte |= static_cast<u8>(1 << bitIndex);
        }
    } else {
        *bit = !hasError() && bitByte != nullptr && ((*bitByte >> bitIndex) & 1) != 0;
    }
}

void Packet::doBool(bool* b)
{
    doBit(b);
}

void Packet::doBits(u8* v, int n)
{
    for (int i = 0; i < n && i < 8; ++i) {
        u8 mask = static_cast<u8>(1 << i);
        bool bit = (*v & mask) != 0;
        doBit(&bit);
        if (!bWriting) {
            *v = bit ? (*v | mask) : (*v & ~mask);
        }
    }
}

void Packet::doHeader()
{
    u32 value = static_cast<u32>(sequence);
    doUInt(&value);
    sequence = static_cast<i32>(value);
    doBool(&bMore);
}

void Packet::doUString(UString* s, int maxLength)
{
    if (bWriting) {
        u32 count = static_cast<u32>(s->size());
        doUInt(&count);
        PACKET_CHECK(count < BUFFERSIZE, "length<BUFFERSIZE");
        for (char c : *s) {
            u8 masked = static_cast<u8>(c) ^ STRING_MASK;
            writeRaw(&masked, 1);
        }
        return;
    }
    u32 count = 0;
    doUInt(&count);
    if (count >= static_cast<u32>(BUFFERSIZE)) {
        setError("length<BUFFERSIZE");
    } else if (maxLength >= 0 && count > static_cast<u32>(maxLength)) {
        setError("length<=maxLength");
    }
    if (hasError()) {
        s->clear();
        return;
    }
    char bytes[BUFFERSIZE];
    readRaw(bytes, static_cast<int>(count));
    for (u32 i = 0; i < count; ++i) {
        bytes[i] = static_cast<char>(static_cast<u8>(bytes[i]) ^ STRING_MASK);
    }
    s->assign(bytes, strnlen(bytes, count));
    if (hasError()) {
        s->clear();
    }
}

bool Packet::doPointer2(QelBase** p)
{
    u32 id = 0;
    if (bWriting) {
        if (*p != nullptr) {
            i32 objectUID = (*p)->objectUID;
            PACKET_CHECK(objectUID >= 0, "objectUID>=0");
            id = static_cast<u32>(objectUID);
        }
        doUInt(&id);
        return id != 0;
    }
    doUInt(&id);
    *p = nullptr;
    if (id == 0 || hasError()) {
        return false;
    }
    NetRole* role = NetRole::current();
    if (role == nullptr) {
        setError("Could not find object ID");
        return false;
    }
    *p = role->resolveObject(id, this);
    return *p != nullptr;
}

void Packet::doResourcePointer2(void** r)
{
    ResourceManager* resources = g_qel != nullptr ? g_qel->resourceManager : nullptr;
    UString s;
    if (bWriting) {
        if (*r != nullptr) {
            if (resources != nullptr) {
                s = resources->nameOf(static_cast<QelBase*>(*r));
            }
            PACKET_CHECK(s != "", "s!=\"\"");
        }
        doUString(&s, -1);
        return;
    }
    doUString(&s, -1);
    *r = nullptr;
    if (s.empty()) {
        return;
    }
    QelBase* found = resources != nullptr ? resources->find(s, false) : nullptr;
    if (found == nullptr) {
        setError("Could not find resource");
    }
    *r = found;
}

void Packet::doClassID(RuntimeClass** _class)
{
    RuntimeClassManager* manager = RuntimeClassManager::getInstance();
    bool persistent = (flags & PERSISTENT) != 0;
    if (bWriting) {
        PACKET_CHECK(*_class != nullptr, "*_class!=NULL");
        if (persistent) {
            u32 hash = (*_class)->hash;
            writeRaw(&hash, 4);
        } else {
            PACKET_CHECK((*_class)->id >= 0, "(*_class)->id>=0");
            u32 id = static_cast<u32>((*_class)->id);
            doUInt(&id);
        }
        return;
    }
    RuntimeClass* found = nullptr;
    if (persistent) {
        u32 hash = 0;
        readRaw(&hash, 4);
        found = hasError() ? nullptr : manager->findByHash(hash);
    } else {
        u32 id = 0;
        doUInt(&id);
        if (!hasError() && id <= 0x7FFFFFFFu) {
            found = manager->findById(static_cast<i32>(id));
        }
    }
    if (found == nullptr) {
        setError("*_class!=NULL");
    }
    *_class = found;
}

RuntimeClass* Packet::readCreatableClass(const RuntimeClass* base)
{
    RuntimeClass* record = nullptr;
    doClassID(&record);
    if (record == nullptr) {
        return nullptr;
    }
    if (!record->isDerivedFrom(base) || record->creator == nullptr) {
        setError("class not creatable here");
        return nullptr;
    }
    return record;
}

u32 Packet::getCRC(int offset, int count) const
{
    i32 size = getDataSize();
    if (offset < 0 || offset > capacity) {
        return 0;
    }
    if (count < 0) {
        count = size - offset;
    }
    count = std::min(count, capacity - offset);
    if (count <= 0) {
        return 0;
    }
    return crc32(buffer + offset, count);
}

void Packet::copyDatagramFields(Packet* to) const
{
    to->node = node;
    to->address = address;
    to->time = time;
    to->sequence = sequence;
    to->bMore = bMore;
}

Packet* Packet::split(int count)
{
    if (count < 0) {
        setError("negative piece size");
        count = 0;
    }
    Packet* piece = new Packet(flags, count);
    i32 end = bWriting ? capacity : length;
    i32 available = hasError() ? 0 : std::max(0, end - static_cast<i32>(cursor - buffer));
    i32 copied = std::min(count, available);
    if (copied > 0) {
        std::memcpy(piece->buffer, cursor, static_cast<size_t>(copied));
        cursor += copied;
    }
    if (copied < count) {
        setError("read past the end");
        piece->setError("read past the end");
    }
    copyDatagramFields(piece);
    piece->bWriting = bWriting;
    piece->length = count;
    return piece;
}

Packet* Packet::join(const Packet* other, int offset, int count) const
{
    PACKET_CHECK(count >= 0 && offset >= 0 && offset <= other->capacity - count,
                 "offset+count<=other->capacity");
    i32 size = getDataSize();
    Packet* joined = new Packet(flags, size + count);
    if (size > 0) {
        std::memcpy(joined->buffer, buffer, static_cast<size_t>(size));
    }
    if (count > 0) {
        std::memcpy(joined->buffer + size, other->buffer + offset, static_cast<size_t>(count));
    }
    joined->cursor = joined->buffer + size + count;
    copyDatagramFields(joined);
    joined->bWriting = bWriting;
    return joined;
}

void Packet::appendTo(Packet* dest) const
{
    if (dest->getDataSize() == 0) {
        copyDatagramFields(dest);
        dest->bWriting = true;
        dest->cursor = dest->buffer;
    }
    i32 size = getDataSize();
    if (size > dest->capacity - (dest->cursor - dest->buffer)) {
        dest->setError("pieces larger than the payload buffer");
        return;
    }
    if (size > 0) {
        std::memcpy(dest->cursor, buffer, static_cast<size_t>(size));
        dest->cursor += size;
    }
}
