// The data archives ("svdata01.dat" pictures, "svdata02.dat" sound effects): a signed directory
// of named entries whose payloads are XOR-masked with one key byte.
#pragma once

#include <cstdint>
#include <memory>

constexpr char kArchiveSignature[11] = {'b', 'b', 'm', 'k', 'd', 'a', 't', 'a', '0', '0', 0x1B};
constexpr unsigned char kArchiveKey = 0x3C;

// Reads the first entry named exactly resourceName (case matters) and unmasks it. The buffer is
// the caller's. False for a missing or damaged archive, a missing entry, or an entry whose
// payload is empty or lies outside the file.
bool ReadArchiveEntry(const char* archiveName, const char* resourceName, std::unique_ptr<unsigned char[]>* payload,
                      std::uint32_t* size);

// XORs every byte with the archive key; applying it twice gives the bytes back.
void UnmaskArchivePayload(unsigned char* bytes, std::uint32_t size);
