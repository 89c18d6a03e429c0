// The table file: what is written reads back exactly, and anything else (truncated,
// empty, random, flipped, other version, other table, inconsistent) is refused with a
// reason instead of being half read.
#include <zlib.h>

#include <cmath>
#include <limits>
#include <random>

#include <gtest/gtest.h>

#include "labels/records/TableFile.h"
#include "labels/records/TableSchemas.h"

namespace {

TableData SampleContacts() {
  TableData data;
  data.nextNumber = 9;
  data.records.push_back({std::int32_t{3}, std::string("Mr"), std::string("John"),
                          std::string("Smith"), std::string(75, 'S'), std::string("SW1A 1AA"),
                          std::string("London"), std::monostate{}});
  data.records.push_back({std::int32_t{8}, std::monostate{}, std::monostate{},
                          std::string("M\xFCller \"Haus\""), std::monostate{}, std::monostate{},
                          std::string("K\xF6ln"), std::string("Deutschland")});
  return data;
}

std::string ErrorOf(const TableSchema& schema, std::string_view bytes) {
  try {
    DecodeTable(schema, bytes);
  } catch (const ETableFileError& e) {
    return e.what();
  }
  return "";
}

// Rewrites a valid file's payload and fixes its size and checksum, as a faulty writer would.
std::string WithPayload(std::string file, std::string payload) {
  file.resize(20);
  const auto put = [&](std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) file[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
  };
  put(12, static_cast<std::uint32_t>(payload.size()));
  put(16, static_cast<std::uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(payload.data()),
                                           static_cast<uInt>(payload.size()))));
  return file + payload;
}

}  // namespace

TEST(TableFile, WhatIsWrittenReadsBackExactly) {
  const TableData contacts = SampleContacts();
  const TableData back = DecodeTable(ContactSchema(), EncodeTable(ContactSchema(), contacts));
  EXPECT_EQ(back.nextNumber, 9);
  EXPECT_EQ(back.records, contacts.records);

  TableData custom;
  custom.records.push_back({std::string("My sheet"), std::int32_t{3}, std::int32_t{-1}, 63.5,
                            std::numeric_limits<double>::denorm_min(),
                            std::string("Default in Inches"), -0.0, 1e300, std::monostate{}, 2.54,
                            std::string("A4"), std::string("Millimeters"),
                            std::string("Label Ellipse"), std::string("Landscape")});
  const TableData customBack =
      DecodeTable(CustomLabelSchema(), EncodeTable(CustomLabelSchema(), custom));
  EXPECT_EQ(customBack.records, custom.records);
  EXPECT_TRUE(std::signbit(std::get<double>(customBack.records[0][6])));

  const TableData empty = DecodeTable(GeneralSchema(), EncodeTable(GeneralSchema(), TableData{}));
  EXPECT_TRUE(empty.records.empty());
  EXPECT_EQ(empty.nextNumber, 1);
}

TEST(TableFile, EveryTruncationIsRefused) {
  const std::string file = EncodeTable(ContactSchema(), SampleContacts());
  EXPECT_EQ(ErrorOf(ContactSchema(), ""), "the file is empty");
  for (std::size_t n = 1; n < file.size(); ++n)
    EXPECT_FALSE(ErrorOf(ContactSchema(), std::string_view(file).substr(0, n)).empty())
        << "read a file cut to " << n << " bytes";
  EXPECT_NE(ErrorOf(ContactSchema(), file + "x"), "");
}

TEST(TableFile, EveryChangedByteIsRefused) {
  const std::string file = EncodeTable(ContactSchema(), SampleContacts());
  for (std::size_t i = 0; i < file.size(); ++i) {
    std::string damaged = file;
    damaged[i] = static_cast<char>(damaged[i] ^ 0x20);
    EXPECT_NE(ErrorOf(ContactSchema(), damaged), "") << "byte " << i;
  }
}

TEST(TableFile, RandomBytesAreRefused) {
  std::mt19937 random(20240601);
  for (int round = 0; round < 200; ++round) {
    std::string bytes(random() % 300, '\0');
    for (char& c : bytes) c = static_cast<char>(random());
    if (round % 2)
      bytes.replace(0, std::min<std::size_t>(8, bytes.size()), "MRBYTBL\x1A",
                    std::min<std::size_t>(8, bytes.size()));
    EXPECT_NE(ErrorOf(GeneralSchema(), bytes), "");
  }
  EXPECT_EQ(ErrorOf(GeneralSchema(), "PK\x03\x04 a zip file"),
            "it is not a table file of this program");
}

TEST(TableFile, OtherVersionsAndOtherTablesAreRefusedWithTheirReason) {
  std::string file = EncodeTable(ContactSchema(), SampleContacts());
  std::string newer = file;
  newer[8] = 2;
  EXPECT_NE(ErrorOf(ContactSchema(), newer).find("format version 2"), std::string::npos);
  EXPECT_NE(ErrorOf(GeneralSchema(), file).find("holds the table cdsContact"), std::string::npos);
}

TEST(TableFile, ConsistentButWrongContentIsRefused) {
  const std::string file = EncodeTable(ContactSchema(), SampleContacts());
  const std::string payload = file.substr(20);
  const std::size_t next = payload.find(std::string("\x09\0\0\0", 4));  // next number 9
  ASSERT_NE(next, std::string::npos);

  // A record number at or above the next number would be handed out again.
  std::string low = payload;
  low[next] = 8;
  EXPECT_NE(ErrorOf(ContactSchema(), WithPayload(file, low)).find("record number"),
            std::string::npos);

  // A record count far beyond the bytes must not make the reader reserve memory for it.
  std::string many = payload;
  many.replace(next + 4, 4, std::string("\xFF\xFF\xFF\x7F", 4));
  EXPECT_NE(ErrorOf(ContactSchema(), WithPayload(file, many)).find("record count"),
            std::string::npos);

  // Two records with the same number.
  TableData twins = SampleContacts();
  twins.records[1][0] = std::int32_t{3};
  EXPECT_NE(ErrorOf(ContactSchema(), EncodeTable(ContactSchema(), twins)).find("record number"),
            std::string::npos);

  // A text longer than its field.
  TableData longTitle = SampleContacts();
  longTitle.records[0][1] = std::string(21, 'T');
  EXPECT_NE(ErrorOf(ContactSchema(), EncodeTable(ContactSchema(), longTitle)), "");
}
