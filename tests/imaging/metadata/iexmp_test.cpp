#include "imaging/metadata/iexmp.h"

#include <gtest/gtest.h>

#include <string>

#include "imaging/metadata/ieexifparams.h"

namespace {

const std::string kSignature("http://ns.adobe.com/xap/1.0/\0", 29);

const uint8_t* Bytes(const std::string& s) { return reinterpret_cast<const uint8_t*>(s.data()); }

}  // namespace

TEST(IEXMP, PacketStartsAfterTheSignaturesZeroByte) {
  struct Case {
    const char* name;
    std::string payload;
    long offset;  // -1: not XMP
  };
  const std::vector<Case> cases = {
      {"signature and packet", kSignature + "<x:xmpmeta/>", 29},
      {"signature and a one-byte packet", kSignature + "<", 29},
      {"only the signature (29 bytes)", kSignature, -1},
      {"a longer namespace after the compared 24 characters",
       std::string("http://ns.adobe.com/xap/1.0/se/\0<p/>", 36), 32},
      {"no zero byte inside the payload", std::string("http://ns.adobe.com/xap/1.0/") + "<no terminator>", -1},
      {"another signature", std::string("http://ns.adobe.com/xmp/extension/\0", 35) + "0123456789", -1},
      {"EXIF data", std::string("Exif\0\0MM\0*\0\0\0\x08", 14) + std::string(20, 'z'), -1},
      {"too short", "http://ns.adobe.com/xap/", -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const uint8_t* p = IEGetXMPPacket(Bytes(c.payload), int32_t(c.payload.size()));
    if (c.offset < 0)
      EXPECT_EQ(p, nullptr);
    else
      EXPECT_EQ(p, Bytes(c.payload) + c.offset);
  }
  EXPECT_EQ(IEGetXMPPacket(nullptr, 100), nullptr);
}

TEST(IEXMP, LoadTakesThePacketToTheEndAndBuildRestoresThePayload) {
  TIEMetaParams params;
  params.XMPPacket = "unchanged";
  const std::string notXmp(40, 'a');
  EXPECT_FALSE(IELoadXMPFromAPP1(Bytes(notXmp), int32_t(notXmp.size()), params));
  EXPECT_EQ(params.XMPPacket, "unchanged");

  const std::string packet("<?xpacket begin?><x:xmpmeta>\0inner zero</x:xmpmeta>", 51);
  const std::string payload = kSignature + packet;
  ASSERT_TRUE(IELoadXMPFromAPP1(Bytes(payload), int32_t(payload.size()), params));
  EXPECT_EQ(params.XMPPacket, packet);  // to the payload's end, zero bytes inside included
  const std::vector<uint8_t> built = IEBuildXMPMarker(params);
  EXPECT_EQ(std::string(built.begin(), built.end()), payload);

  params.XMPPacket.clear();
  const std::vector<uint8_t> empty = IEBuildXMPMarker(params);
  EXPECT_EQ(std::string(empty.begin(), empty.end()), kSignature);
}
