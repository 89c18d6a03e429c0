#include <clocale>
#include <cstdint>
#include <functional>
#include <limits>
#include <locale>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "engine/VpStream.h"

namespace {

using namespace std::string_literals;

std::string Int32Bytes(std::int32_t value) {
  return std::string(reinterpret_cast<const char*>(&value), 4);  // the host is little-endian too
}

std::string Block(const std::string& text) {
  return Int32Bytes(static_cast<std::int32_t>(text.size())) + text;
}

TEST(VpStream, ObjectRecordIsStoredByteForByte) {
  TVpMemoryStream stream;
  stream.WriteInt32(2);
  TVpValueList values;
  values.AddLine("");
  values.AddLine("");
  values.WriteInteger("ID", 2);
  values.WriteInteger("UI", -1);
  values.WriteInteger("P", 0);
  values.WriteInteger("B", 1);
  values.WriteRect("XY", {1, 1, 2.5L, 2});
  values.SaveToStream(stream);
  EXPECT_EQ(
      stream.Bytes(),
      "\x02\0\0\0"s + Block("\r\n\r\nID=2\r\nUI=-1\r\nP=0\r\nB=1\r\nXY=1000,1000,2500,2000\r\n"));
}

TEST(VpStream, TypedWritersStoreRoundedThousandths) {
  const struct {
    char kind;
    long double a, b, c, d;
    std::string text;
  } cases[] = {
      {'p', 0.0004L, 0.0005L, 0, 0, "0,0"},  // a tie goes to the even neighbour
      {'p', 0.0015L, -0.0025L, 0, 0, "2,-2"},
      {'r', -1, -1, -1, -1, "-1000,-1000,-1000,-1000"},
      {'r', 1e12L, -1e12L, 0.25L, 0.5L, "2147483647,-2147483648,250,500"},  // saturated
      {'f', 12.5L, 0, 0, 0, "12.500"},
      {'f', 0.0015L, 0, 0, 0, "0.002"},
      {'f', -0.0004L, 0, 0, 0, "0.000"},
      {'f', -1234567.25L, 0, 0, 0, "-1234567.250"},
      {'i', -2147483648.0L, 0, 0, 0, "-2147483648"},
  };
  for (const auto& c : cases) {
    TVpValueList values;
    if (c.kind == 'p') values.WritePoint("K", {c.a, c.b});
    if (c.kind == 'r') values.WriteRect("K", {c.a, c.b, c.c, c.d});
    if (c.kind == 'f') values.WriteFloat("K", c.a);
    if (c.kind == 'i') values.WriteInteger("K", static_cast<std::int32_t>(c.a));
    EXPECT_EQ(values.Text(), "K=" + c.text + "\r\n");
  }
}

TEST(VpStream, FloatsIgnoreTheLocalesDecimalSeparator) {
  struct CommaPoint : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
  };
  const std::locale previous = std::locale::global(std::locale(std::locale(), new CommaPoint));
  const std::string previousC = std::setlocale(LC_ALL, nullptr);
  const bool haveCommaC = std::setlocale(LC_ALL, "de_DE.UTF-8") || std::setlocale(LC_ALL, "de_DE");
  TVpValueList values;
  values.WriteFloat("FA", 12.5L);
  const std::string text = values.Text();
  const long double back = values.ReadFloat("FA", 0);
  std::setlocale(LC_ALL, previousC.c_str());
  std::locale::global(previous);
  EXPECT_EQ(text, "FA=12.500\r\n");
  EXPECT_EQ(back, 12.5L);
  if (!haveCommaC) std::printf("note: no de_DE locale here; the C locale was not switched\n");
}

TEST(VpStream, NamesMatchWithoutCaseUpToTheFirstEqualsSign) {
  TVpValueList values = TVpValueList::FromText("a=1\rno name\nsz=2\r\n\r\nx=y=z\r\nlast");
  EXPECT_EQ(values.Lines(),
            (std::vector<std::string>{"a=1", "no name", "sz=2", "", "x=y=z", "last"}));
  EXPECT_EQ(values.ReadInteger("SZ", 0), 2);
  EXPECT_EQ(values.ReadText("X", ""), "y=z");
  EXPECT_FALSE(values.Has("no name"));
  EXPECT_EQ(values.ReadInteger("missing", 7), 7);

  values.WriteInteger("Sz", 5);  // replaced where it stands
  values.WriteText("new", "v");
  values.AddLine("A=again");
  values.WriteText("a", "");  // every line with the name goes
  EXPECT_EQ(values.Text(), "no name\r\nsz=5\r\n\r\nx=y=z\r\nlast\r\nnew=v\r\n");

  EXPECT_THROW(values.WriteText("T", "two\r\nlines"), EVpStreamError);
  EXPECT_THROW(values.WriteInteger("a=b", 1), EVpStreamError);
  EXPECT_EQ(values.Text(), "no name\r\nsz=5\r\n\r\nx=y=z\r\nlast\r\nnew=v\r\n");
}

TEST(VpStream, MalformedValuesFailWithASentenceNamingTheKey) {
  using Reader = std::function<void(const TVpValueList&)>;
  const struct {
    Reader read;
    std::string what;
    std::vector<std::string> good, bad;
  } cases[] = {
      {[](auto& v) { v.ReadInteger("N", 0); },
       "whole number",
       {"+7", "-2147483648", "007"},
       {"2147483648", "-2147483649", "12x", "", " 1", "1.0"}},
      {[](auto& v) { v.ReadFloat("N", 0); },
       "number",
       {"-0.5", "3", ".5"},
       {"1,5", "1e3", ".", "", "1" + std::string(400, '0'), "9000000000000001"}},
      {[](auto& v) { v.ReadPoint("N", {}); }, "point", {"1,2", "-1,+2"}, {"1", "1,2,3", "1,", ""}},
      {[](auto& v) { v.ReadRect("N", {}); },
       "rectangle",
       {"", "1,2,3,4"},
       {"1,2,3", "1,2,3,4,", "1,2,3,99999999999", ",,,"}},
  };
  for (const auto& c : cases) {
    for (const std::string& text : c.good)
      EXPECT_NO_THROW(c.read(TVpValueList::FromText("n=" + text)));
    for (const std::string& text : c.bad) {
      try {
        c.read(TVpValueList::FromText("n=" + text));
        ADD_FAILURE() << "read " << text << " as a " << c.what;
      } catch (const EVpStreamError& e) {
        EXPECT_EQ(e.what(), "The stored value of \"N\" is not a valid " + c.what + ".");
      }
    }
  }
  EXPECT_EQ(TVpValueList::FromText("XY=").ReadRect("XY", {1, 1, 1, 1}), TVpRect{});
  EXPECT_EQ(TVpValueList::FromText("XY=250,-500").ReadPoint("xy", {}), (TVpPoint{0.25L, -0.5L}));
}

TEST(VpStream, BlocksRoundTripAndAnEmptyBlockIsAnEmptyList) {
  TVpMemoryStream stream(Int32Bytes(0) + Block("a=1\r\n") + "tail");
  EXPECT_TRUE(TVpValueList::LoadFromStream(stream).Lines().empty());
  EXPECT_EQ(stream.Position(), 4u);
  EXPECT_EQ(ReadBlock(stream), "a=1\r\n");
  EXPECT_EQ(stream.Read(4), "tail");

  stream.Seek(2);
  stream.Write("xyz");  // overwrites, then extends
  EXPECT_EQ(stream.Bytes().substr(0, 5), "\0\0xyz"s);
  stream.PatchInt32(0, -2);
  EXPECT_EQ(stream.Position(), 5u);
  stream.Seek(0);
  EXPECT_EQ(stream.ReadInt32(), -2);
}

TEST(VpStream, HostileBytesFailWithoutMovingThePosition) {
  const std::string hostile[] = {
      "",
      "\x05\0"s,                        // cut inside the length
      Int32Bytes(5) + "abc",            // cut inside the bytes
      Int32Bytes(-1) + "abcd",          // negative length
      Int32Bytes(0x7FFFFFFF) + "abcd",  // would need 2 GB
      Int32Bytes(std::numeric_limits<std::int32_t>::min()),
  };
  for (const std::string& bytes : hostile) {
    TVpMemoryStream stream("xx" + bytes);
    stream.Seek(2);
    EXPECT_THROW(TVpValueList::LoadFromStream(stream), EVpStreamError);
    EXPECT_EQ(stream.Position(), 2u);
  }
  TVpMemoryStream stream("abc");
  EXPECT_THROW(stream.Seek(4), EVpStreamError);
  EXPECT_THROW(stream.ReadInt32(), EVpStreamError);
  EXPECT_THROW(stream.PatchInt32(0, 1), EVpStreamError);
  EXPECT_EQ(stream.Position(), 0u);
  EXPECT_EQ(stream.Bytes(), "abc");

  std::mt19937 random(20240601);
  for (int round = 0; round < 2000; ++round) {
    std::string bytes(random() % 24, '\0');
    for (char& c : bytes) c = static_cast<char>(random() % 4 == 0 ? random() % 8 : random());
    TVpMemoryStream input(bytes);
    try {
      const std::string block = ReadBlock(input);
      EXPECT_EQ(Block(block), bytes.substr(0, input.Position()));
    } catch (const EVpStreamError&) {
      EXPECT_EQ(input.Position(), 0u);
    }
  }
}

}  // namespace
