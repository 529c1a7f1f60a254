#pragma once
// The one serialisation stream of the engine. The same object writes and
// reads: each do... call copies the caller's variable into the stream while
// writing and the next value of the stream into the variable while reading,
// so a serialiser is written once and a reader makes exactly the writer's
// calls in the writer's order (the stream carries no tags or lengths).
//
// Byte format: raw multi-byte values are little-endian; counts and
// identifiers are variable-length integers; bools and small codes share bit
// bytes; doubles travel as 4-byte floats and chosen floats as 2-byte half
// floats; strings are length-prefixed and masked with 0x4B.
//
// Writing is the program's own business: running past the capacity, a
// string too long to carry, an unregistered object or an unnamed resource
// are fatal. Reading handles data from outside (saved games, datagrams,
// recordings): a read past the end, a malformed or over-long value, or a
// class, object or resource that does not resolve sets the error state
// instead, and from then on every read yields zeros, nulls and empty texts.
// Whoever reads outside data checks hasError() and refuses the data.
//
// A writing packet can be bounded for a while: then a write that does not
// fit sets the error state and writes nothing, and rollBack returns the
// packet to a mark taken earlier, so that a command that does not fit is
// taken back to the last command boundary and written again elsewhere.
#include <memory>
#include <string_view>
#include <vector>

#include "math/UColor.h"
#include "math/V3.h"
#include "net/NetAddress.h"
#include "object/QelBase.h"

class Node;
class PropertyContainer;
class RuntimeClass;

class Packet : public QelBase {
public:
    // Packet flags.
    static constexpr u32 SKIP_FLAG1 = 0x1;     // leave out properties with flag 0x1; list registered children only
    static constexpr u32 SKIP_FLAG2 = 0x2;     // leave out properties with flag 0x2; raw pointers
    static constexpr u32 PERSISTENT = 0x4;     // class hashes and object markers (saved games)
    static constexpr u32 NETWORK_FLAGS = 0x1;  // network payloads and recordings
    static constexpr u32 SAVEGAME_FLAGS = 0x5;
    static constexpr i32 DEFAULT_CAPACITY = 0x10000;
    // Strings are shorter than this, in bytes.
    static constexpr i32 BUFFERSIZE = 1024;

    // A capacity below 0 means 65536; 0 allocates no buffer. The new packet
    // is writing.
    Packet(u32 flags, int capacity);
    ~Packet() override;

    // Turns a written packet into one to read from its start (fatal when it
    // is not writing).
    void rewindToRead();
    // Starts over at the beginning without changing the mode; clears the
    // error state.
    void reset();

    void doBytes(void* p, int n);
    // Carried as a 4-byte float; writing leaves the rounded value in *d.
    // Beyond the float range a finite double becomes an infinity of its sign;
    // NaN and the infinities pass as they are.
    void doDouble(double* d);
    void doV3(V3* v);
    // Stream bytes blue, green, red, alpha.
    void doColor(UColor* c);
    // The IPv4 address as a u32 in host order, then the port as a u16:
    // 6 bytes (127.0.0.1 gives 01 00 00 7F).
    void doAddress(NetAddress* a);
    // Variable-length, 7 bits a byte, low groups first. Every 32-bit value
    // fits (at most 5 bytes); reading refuses longer or larger encodings.
    void doUInt(u32* v);
    // Sign and magnitude: the first byte holds the sign and 6 bits, later
    // bytes 7 bits each. The whole 32-bit range fits, the most negative
    // value included; reading refuses magnitudes that do not fit and reads
    // a negative zero as 0.
    void doInt(i32* v);
    // A private 16-bit format (sign, 5-bit exponent for 2^-15 .. 2^16, top
    // 10 mantissa bits, truncated) without subnormals, infinities or NaN.
    // Writing clamps magnitudes into 3.1e-5 .. 130000 (so an infinity
    // writes the largest code of its sign), keeps zero as 0x0000 and writes
    // NaN as zero; the caller's float is unchanged.
    void doHalfFloat(float* f);
    // The same on a double; writing rounds the caller's double to single
    // precision (not to half precision).
    void doHalfFloat(double* d);
    // One bit in the shared bit byte.
    void doBool(bool* b);
    // The low n bits (1..8) of *v, least significant first; reading keeps
    // the other bits of *v.
    void doBits(u8* v, int n);
    // The datagram header: sequence, then the more-pieces bit.
    void doHeader();
    // Length, then the bytes masked with 0x4B. maxLength -1 means no limit
    // (below BUFFERSIZE in any case); reading ends the text at its first NUL.
    void doUString(UString* s, int maxLength);
    // An object reference as its identifier (0 for none); true when a
    // non-null reference was written or read. Identifiers mean something
    // only inside the replicated world of a replication role: reading looks
    // them up in the current role's table, and an identifier that is not
    // there (or any but 0 without a role) sets the error state.
    virtual bool doPointer2(QelBase** p);
    // An object reference that must name a T: reading an object of another
    // class sets the error state and gives null.
    template <class T>
    bool doObject(T** p)
    {
        QelBase* object = *p;
        bool present = doPointer2(&object);
        if (!bWriting) {
            if (object != nullptr && !object->getRuntimeClass()->isDerivedFrom(T::runtimeClass())) {
                setError("object of the wrong class");
                object = nullptr;
                present = false;
            }
            *p = static_cast<T*>(object);
        }
        return present;
    }
    // A resource as its name in the ResourceManager (empty for none), of
    // whatever class; a pointer property checks the class it takes.
    void doResourcePointer2(void** r);
    // A class of the registry: its class number, or its name hash in
    // persistent packets.
    void doClassID(RuntimeClass** _class);
    // Reads a class reference and creates a default object of it as a T.
    // A class that does not resolve, does not derive from T or has no
    // creator sets the error state and gives null: class identifiers from
    // outside are never used unchecked.
    template <class T>
    T* readNewObject()
    {
        RuntimeClass* record = readCreatableClass(T::runtimeClass());
        return record != nullptr ? record->createAs<T>() : nullptr;
    }
    // The record of a class number read, when the class derives from base
    // and has a creator; otherwise null, with the error state set.
    RuntimeClass* readCreatableClass(const RuntimeClass* base);

    // The CRC-32 of count bytes from buffer + offset (count < 0: up to the
    // end of the data), kept inside the buffer.
    u32 getCRC(int offset, int count) const;
    // A new packet holding the next count bytes at the cursor, ready to be
    // read, with this packet's mode and datagram fields; the caller owns it.
    Packet* split(int count);
    // A new packet holding this packet's data and count bytes of other from
    // its buffer start + offset, cursor after them; the caller owns it.
    Packet* join(const Packet* other, int offset, int count) const;
    // Appends this packet's data at dest's cursor; an empty dest first takes
    // over the datagram fields and is set to writing. Data that does not fit
    // sets dest's error state (pieces come from outside).
    void appendTo(Packet* dest) const;

    // Where writing stands, to go back to.
    struct Mark {
        i32 size;
        i32 bitByteAt;
        u8 bitByteValue;
        u8 bitMask;
        i32 bitIndex;
    };
    Mark mark() const;
    // Back to the mark, with the error state cleared.
    void rollBack(const Mark& at);

    // cursor - buffer while writing, length while reading.
    i32 getDataSize() const;
    // The float nearest to d; a finite double beyond the float range gives
    // the infinity of its sign.
    static float toFloat(double d);
    // Reading: nothing is left to read (or the error state is set).
    bool atEnd() const;
    bool hasError() const { return bError; }
    // What went wrong first, or null; valid while the error state lasts.
    const char* getError() const { return bError ? errorText.c_str() : nullptr; }
    // Sets the error state for a read that cannot be accepted; the first
    // reason is kept, as a copy.
    void setError(std::string_view reason);

    u32 flags;
    bool bWriting = true;
    // Writing past the capacity sets the error state instead of stopping.
    bool bBounded = false;
    // What reading one object's image changed or would change, held back
    // for its reader to accept or undo: the image's properties, which kept
    // the values they had, and the children it names, not adopted.
    struct HeldImage {
        // The object whose own image this is.
        QelBase* reader = nullptr;
        // Set once the reader's properties are read.
        std::unique_ptr<PropertyContainer> properties;
        std::vector<QelBase*> children;
        // The image also names a child that would make the tree a cycle;
        // that child is not listed.
        bool bCycle = false;
    };
    // While set, `reader` holds back here what its image reads. A child
    // that would make the tree a cycle is noted and the list read on to its
    // end. Any other image read meanwhile, or the reader's a second time,
    // could not be undone with it and sets the error state.
    HeldImage* heldImage = nullptr;
    Node* node = nullptr;
    NetAddress address;
    double time = 0.0;
    i32 sequence = -1;
    bool bMore = false;
    u8* bitByte = nullptr;
    u8 bitMask = 0;
    i32 bitIndex = 0;
    i32 capacity;
    i32 length;
    u8* buffer = nullptr;
    u8* cursor = nullptr;

private:
    void writeRaw(const void* p, int n);
    // Copies n bytes or, past the end or in the error state, zeros.
    void readRaw(void* p, int n);
    void doRaw(void* p, int n);
    void doBit(bool* bit);
    // node, address, time, sequence and bMore.
    void copyDatagramFields(Packet* to) const;

    bool bError = false;
    UString errorText;
};
