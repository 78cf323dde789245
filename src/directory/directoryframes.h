#pragma once

#include <QtGlobal>

namespace vornal::DirectoryFrames {

// The directory server's port and the frames of its protocol. Every frame starts with
// a type byte and a length byte; numbers are little-endian, texts zero-terminated in
// fixed-width fields.
constexpr quint16 kPort = 11811;
constexpr int kFrameSize = 102;

constexpr unsigned char kSearchType = 10;
constexpr unsigned char kSearchLength = 41;
constexpr unsigned char kSearchVersion = 1;
constexpr int kSearchSize = 43;
constexpr int kSearchTextOffset = 3;
constexpr int kSearchTextWidth = 40;

constexpr unsigned char kRecordType = 5;
constexpr int kNumberOffset = 2;
constexpr int kNameOffset = 6;
constexpr int kNameWidth = 40;

constexpr unsigned char kEndType = 9;

constexpr unsigned char kAckType = 8;
constexpr int kAckSize = 2;

} // namespace vornal::DirectoryFrames
