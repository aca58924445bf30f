// ICC colour profiles (ICC.1:2001-04 and later): the bytes of one profile as an
// image file embeds it, the profile opened through LittleCMS, and one cached
// colour transform from it to a second profile.
//
// The colour work is LittleCMS's; this object decides which bytes it may see,
// reads the profile's "cprt" and "desc" texts itself, and packs pixels of the
// library's row layouts into 16-bit channel values (a byte b widens to b * 257).
//
// Layout codes (the row layouts of ierowconv.h, TIEColorRowLayout):
//   0 red, green, blue bytes         5 one gray byte
//   1 blue, green, red bytes         6 three 16-bit words red, green, blue
//   2 CMYK bytes, inverted (255 = no ink)      7 the same, bytes of each word swapped
//   3 CMYK ink bytes in 6-byte pixels          8 three channel bytes (any space)
//   4 L, a, b bytes (a and b signed, as ieCIELab)
#pragma once

#include <cstdint>
#include <vector>

#include "imaging/core/iebitmap.h"
#include "platform/rtl/object.h"
#include "platform/rtl/types.h"

class TStream;

// True when colour management can be used. LittleCMS is linked in, so always.
bool IELoadMSCMS();

class TIEICC : public TObject {
  DX_CLASS(TIEICC, TObject)
public:
  TIEICC();
  ~TIEICC() override;
  TIEICC(const TIEICC&) = delete;
  TIEICC& operator=(const TIEICC&) = delete;

  // Releases the transform (setting Applied when there was one), closes the
  // profile, forgets the bytes and clears Applied.
  void Clear();
  // Takes a copy of the bytes, opens them when their structure holds (see
  // IsValid) and reads the texts.
  void LoadFromBuffer(const void* buffer, int32_t size);
  // A copy of the source: its bytes, opened and parsed again; a source that is
  // the built-in sRGB profile gives the built-in sRGB profile. Null clears.
  void Assign(const TIEICC* source);
  // The standard sRGB profile (LittleCMS's built-in one). It has no bytes and no texts.
  void LoadSRGB();
  // The length as a 32-bit little-endian integer unless noLength, then the bytes.
  void SaveToStream(TStream& stream, bool noLength) const;

  // A profile is open. Bytes whose declared size exceeds the buffer, whose tag
  // table or any tag's data lies past the declared size, or that LittleCMS
  // refuses, are never opened.
  bool IsValid() const { return profile_ != nullptr; }
  bool IsTransformReady() const { return transform_ != nullptr; }
  bool IsSRGB() const { return isSRGB_; }
  // Deletes the transform; when there was one, Applied is set.
  void FreeTransform();

  // Converts count pixels of inBuffer (inputCode, this profile) into outBuffer
  // (outputCode, dest's profile). The transform is made on the first call and
  // kept while the codes and modes stay the same; dest is not part of that
  // key, so a caller that changes the destination calls FreeTransform first.
  // True when a transform exists after the call; without one outBuffer is
  // left as it is.
  bool Transform(TIEICC& dest, int32_t inputCode, int32_t outputCode, int32_t mode1, int32_t mode2,
                 const void* inBuffer, void* outBuffer, int32_t count);
  // Converts the whole bitmap from this profile to dest's and to targetFormat
  // (ie8g, ie24RGB, ieCMYK, ieRGB48 or ieCIELab, as is the source's format);
  // the alpha channel stays. Then releases the transform. False, with the
  // bitmap unchanged, for another format or when no transform can be made.
  bool ConvertBitmap(TIEBitmap& bitmap, TIEPixelFormat targetFormat, TIEICC& dest);

  // Set when a transform of this profile is released, cleared when the profile
  // is cleared or replaced: readers convert an image through it only once.
  bool Applied = false;

  const uint8_t* Raw() const { return raw_.empty() ? nullptr : raw_.data(); }
  int32_t RawLength() const { return int32_t(raw_.size()); }
  // The "cprt" and "desc" texts (8-bit), empty when absent.
  const AnsiString& Copyright() const { return copyright_; }
  const AnsiString& Description() const { return description_; }

private:
  void OpenAndParse();
  void ParseTexts();

  std::vector<uint8_t> raw_;
  void* profile_ = nullptr;    // cmsHPROFILE
  bool isSRGB_ = false;
  int32_t keyInput_ = 0;
  int32_t keyOutput_ = 0;
  int32_t keyMode1_ = 0;
  int32_t keyMode2_ = 0;
  void* transform_ = nullptr;  // cmsHTRANSFORM
  AnsiString copyright_;
  AnsiString description_;
};

// Whether the profile's structure lies within its bytes: a header, a declared
// size no larger than the buffer, a tag table and tag data inside that size.
bool IEICCStructureIsSound(const uint8_t* data, int32_t size);
