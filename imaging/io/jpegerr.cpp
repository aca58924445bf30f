// Error manager of the JPEG codec over libjpeg (IJG API, version 62).
#include "imaging/io/jpegerr.h"

#include <jerror.h>

#include <cstdlib>

namespace {

struct TJpegMessage {
  int LibraryCode;
  const char* Text;
};

// The classic IJG message list in its own order; position = our message
// number. The library in use inserts codes of its own between these, so the
// entries are matched by name, not by number.
constexpr TJpegMessage JpegMessages[] = {
    {JMSG_NOMESSAGE, "Bogus message code ?"},
    {JERR_ARITH_NOTIMPL, "Sorry, there are legal restrictions on arithmetic coding"},
    {JERR_BAD_ALIGN_TYPE, "ALIGN_TYPE is wrong, please fix"},
    {JERR_BAD_ALLOC_CHUNK, "MAX_ALLOC_CHUNK is wrong, please fix"},
    {JERR_BAD_BUFFER_MODE, "Bogus buffer control mode"},
    {JERR_BAD_COMPONENT_ID, "Invalid component ID ? in SOS"},
    {JERR_BAD_DCT_COEF, "DCT coefficient out of range"},
    {JERR_BAD_DCTSIZE, "IDCT output block size ? not supported"},
    {JERR_BAD_HUFF_TABLE, "Bogus Huffman table definition"},
    {JERR_BAD_IN_COLORSPACE, "Bogus input colorspace"},
    {JERR_BAD_J_COLORSPACE, "Bogus JPEG colorspace"},
    {JERR_BAD_LENGTH, "Bogus marker length"},
    {JERR_BAD_LIB_VERSION, "Wrong JPEG library version: library is ?, caller expects ?"},
    {JERR_BAD_MCU_SIZE, "Sampling factors too large for interleaved scan"},
    {JERR_BAD_POOL_ID, "Invalid memory pool code ?"},
    {JERR_BAD_PRECISION, "Unsupported JPEG data precision ?"},
    {JERR_BAD_PROGRESSION, "Invalid progressive parameters Ss=? Se=? Ah=? Al=?"},
    {JERR_BAD_PROG_SCRIPT, "Invalid progressive parameters at scan script entry ?"},
    {JERR_BAD_SAMPLING, "Bogus sampling factors"},
    {JERR_BAD_SCAN_SCRIPT, "Invalid scan script at entry ?"},
    {JERR_BAD_STATE, "Improper call to JPEG library in state ?"},
    {JERR_BAD_STRUCT_SIZE, "JPEG parameter struct mismatch: library thinks size is ?, caller expects ?"},
    {JERR_BAD_VIRTUAL_ACCESS, "Bogus virtual array access"},
    {JERR_BUFFER_SIZE, "Buffer passed to JPEG library is too small"},
    {JERR_CANT_SUSPEND, "Suspension not allowed here"},
    {JERR_CCIR601_NOTIMPL, "CCIR601 sampling not implemented yet"},
    {JERR_COMPONENT_COUNT, "Too many color components: ?, max ?"},
    {JERR_CONVERSION_NOTIMPL, "Unsupported color conversion request"},
    {JERR_DAC_INDEX, "Bogus DAC index ?"},
    {JERR_DAC_VALUE, "Bogus DAC value 0x?"},
    {JERR_DHT_INDEX, "Bogus DHT index ?"},
    {JERR_DQT_INDEX, "Bogus DQT index ?"},
    {JERR_EMPTY_IMAGE, "Empty JPEG image (DNL not supported)"},
    {JERR_EMS_READ, "Read from EMS failed"},
    {JERR_EMS_WRITE, "Write to EMS failed"},
    {JERR_EOI_EXPECTED, "Didn't expect more than one scan"},
    {JERR_FILE_READ, "Input file read error"},
    {JERR_FILE_WRITE, "Output file write error --- out of disk space?"},
    {JERR_FRACT_SAMPLE_NOTIMPL, "Fractional sampling not implemented yet"},
    {JERR_HUFF_CLEN_OVERFLOW, "Huffman code size table overflow"},
    {JERR_HUFF_MISSING_CODE, "Missing Huffman code table entry"},
    {JERR_IMAGE_TOO_BIG, "Maximum supported image dimension is ? pixels"},
    {JERR_INPUT_EMPTY, "Empty input file"},
    {JERR_INPUT_EOF, "Premature end of input file"},
    {JERR_MISMATCHED_QUANT_TABLE, "Cannot transcode due to multiple use of quantization table ?"},
    {JERR_MISSING_DATA, "Scan script does not transmit all data"},
    {JERR_MODE_CHANGE, "Invalid color quantization mode change"},
    {JERR_NOTIMPL, "Not implemented yet"},
    {JERR_NOT_COMPILED, "Requested feature was omitted at compile time"},
    {JERR_NO_BACKING_STORE, "Backing store not supported"},
    {JERR_NO_HUFF_TABLE, "Huffman table was not defined"},
    {JERR_NO_IMAGE, "JPEG datastream contains no image"},
    {JERR_NO_QUANT_TABLE, "Quantization table was not defined"},
    {JERR_NO_SOI, "Not a JPEG file: starts with ?"},
    {JERR_OUT_OF_MEMORY, "Insufficient memory (case ?)"},
    {JERR_QUANT_COMPONENTS, "Cannot quantize more than ? color components"},
    {JERR_QUANT_FEW_COLORS, "Cannot quantize to fewer than ? colors"},
    {JERR_QUANT_MANY_COLORS, "Cannot quantize to more than ? colors"},
    {JERR_SOF_DUPLICATE, "Invalid JPEG file structure: two SOF markers"},
    {JERR_SOF_NO_SOS, "Invalid JPEG file structure: missing SOS marker"},
    {JERR_SOF_UNSUPPORTED, "Unsupported JPEG process: SOF type ?"},
    {JERR_SOI_DUPLICATE, "Invalid JPEG file structure: two SOI markers"},
    {JERR_SOS_NO_SOF, "Invalid JPEG file structure: SOS before SOF"},
    {JERR_TFILE_CREATE, "Failed to create temporary file ?"},
    {JERR_TFILE_READ, "Read failed on temporary file"},
    {JERR_TFILE_SEEK, "Seek failed on temporary file"},
    {JERR_TFILE_WRITE, "Write failed on temporary file --- out of disk space?"},
    {JERR_TOO_LITTLE_DATA, "Application transferred too few scanlines"},
    {JERR_UNKNOWN_MARKER, "Unsupported marker type ?"},
    {JERR_VIRTUAL_BUG, "Virtual array controller messed up"},
    {JERR_WIDTH_OVERFLOW, "Image too wide for this implementation"},
    {JERR_XMS_READ, "Read from XMS failed"},
    {JERR_XMS_WRITE, "Write to XMS failed"},
    {JMSG_COPYRIGHT, ""},
    {JMSG_VERSION, ""},
    {JTRC_16BIT_TABLES, "Caution: quantization tables are too coarse for baseline JPEG"},
    {JTRC_ADOBE, "Adobe APP14 marker: version ?, flags ?, transform ?"},
    {JTRC_APP0, "Unknown APP0 marker (not JFIF), length ?"},
    {JTRC_APP14, "Unknown APP14 marker (not Adobe), length ?"},
    {JTRC_DAC, "Define Arithmetic Table ?"},
    {JTRC_DHT, "Define Huffman Table ?"},
    {JTRC_DQT, "Define Quantization Table ?  precision ?"},
    {JTRC_DRI, "Define Restart Interval ?"},
    {JTRC_EMS_CLOSE, "Freed EMS handle ?"},
    {JTRC_EMS_OPEN, "Obtained EMS handle ?"},
    {JTRC_EOI, "End Of Image"},
    {JTRC_HUFFBITS, "?"},
    {JTRC_JFIF, "JFIF APP0 marker: version ?, density ?"},
    {JTRC_JFIF_BADTHUMBNAILSIZE, "Warning: thumbnail image size does not match data length ?"},
    {JTRC_JFIF_EXTENSION, "JFIF extension marker: type ?, length ?"},
    {JTRC_JFIF_THUMBNAIL, "with ? x ? thumbnail image"},
    {JTRC_MISC_MARKER, "Miscellaneous marker ?, length ?"},
    {JTRC_PARMLESS_MARKER, "Unexpected marker ?"},
    {JTRC_QUANTVALS, "?"},
    {JTRC_QUANT_3_NCOLORS, "Quantizing to ? = ?*?*? colors"},
    {JTRC_QUANT_NCOLORS, "Quantizing to ? colors"},
    {JTRC_QUANT_SELECTED, "Selected ? colors for quantization"},
    {JTRC_RECOVERY_ACTION, "At marker ?, recovery action ?"},
    {JTRC_RST, "RST?"},
    {JTRC_SMOOTH_NOTIMPL, "Smoothing not supported with nonstandard sampling ratios"},
    {JTRC_SOF, "Start Of Frame ?: width=?, height=?, components=?"},
    {JTRC_SOF_COMPONENT, "Component ?: ?hx?v q=?"},
    {JTRC_SOI, "Start of Image"},
    {JTRC_SOS, "Start Of Scan: ? components"},
    {JTRC_SOS_COMPONENT, "Component ?: dc=? ac=?"},
    {JTRC_SOS_PARAMS, "Ss=?, Se=?, Ah=?, Al=?"},
    {JTRC_TFILE_CLOSE, "Closed temporary file ?"},
    {JTRC_TFILE_OPEN, "Opened temporary file ?"},
    {JTRC_THUMB_JPEG, "JFIF extension marker: JPEG-compressed thumbnail image, length ?"},
    {JTRC_THUMB_PALETTE, "JFIF extension marker: palette thumbnail image, length ?"},
    {JTRC_THUMB_RGB, "JFIF extension marker: RGB thumbnail image, length ?"},
    {JTRC_UNKNOWN_IDS, "Unrecognized component IDs ? ? ?, assuming YCbCr"},
    {JTRC_XMS_CLOSE, "Freed XMS handle ?"},
    {JTRC_XMS_OPEN, "Obtained XMS handle ?"},
    {JWRN_ADOBE_XFORM, "Unknown Adobe color transform code ?"},
    {JWRN_BOGUS_PROGRESSION, "Inconsistent progression sequence for component ? coefficient ?"},
    {JWRN_EXTRANEOUS_DATA, "Corrupt JPEG data: ? extraneous bytes before marker ?"},
    {JWRN_HIT_MARKER, "Corrupt JPEG data: premature end of data segment"},
    {JWRN_HUFF_BAD_CODE, "Corrupt JPEG data: bad Huffman code"},
    {JWRN_JFIF_MAJOR, "Warning: unknown JFIF revision number ?"},
    {JWRN_JPEG_EOF, "Premature end of JPEG file"},
    {JWRN_MUST_RESYNC, "Corrupt JPEG data: found marker ? instead of RST?"},
    {JWRN_NOT_SEQUENTIAL, "Invalid SOS parameters for sequential JPEG"},
    {JWRN_TOO_MUCH_DATA, "Application transferred too many scanlines"},
};
constexpr int32_t JpegMessageCount = int32_t(sizeof(JpegMessages) / sizeof(JpegMessages[0]));
static_assert(JpegMessageCount == 124);

void JpegOutputNothing(j_common_ptr) {}
void JpegFormatNothing(j_common_ptr, char* buffer) {
  if (buffer) buffer[0] = '\0';
}

}  // namespace

int32_t JpegMessageIndex(int libraryCode) {
  for (int32_t i = 0; i < JpegMessageCount; ++i)
    if (JpegMessages[i].LibraryCode == libraryCode) return i;
  return -1;
}

std::string JpegMessageText(int32_t code) {
  if (code < 0 || code >= JpegMessageCount) return "Corrupted";
  return JpegMessages[code].Text;
}

void JpegInitErrorMgr(TIEJpegErrorMgr& mgr, std::atomic<bool>* aborting) {
  mgr.pub = jpeg_error_mgr{};
  mgr.pub.error_exit = JpegErrorExit;
  mgr.pub.emit_message = JpegEmitMessage;
  mgr.pub.output_message = JpegOutputNothing;
  mgr.pub.format_message = JpegFormatNothing;
  mgr.pub.reset_error_mgr = JpegResetErrorMgr;
  mgr.Aborting = aborting;
  mgr.JumpArmed = false;
  mgr.FailCode = 0;
  mgr.LastWarningCode = 0;
}

void JpegErrorExit(j_common_ptr cinfo) {
  auto* mgr = reinterpret_cast<TIEJpegErrorMgr*>(cinfo->err);
  if (mgr->Aborting) mgr->Aborting->store(true);
  const int code = mgr->pub.msg_code;
  // Stopping a decode early is the caller's choice, not a failure.
  if (code == JERR_TOO_LITTLE_DATA) return;
  mgr->FailCode = code;
  // Every call into the library is made with Jump armed; an unarmed error
  // exit would have to return into a library that cannot go on.
  if (!mgr->JumpArmed) std::abort();
  mgr->JumpArmed = false;
  std::longjmp(mgr->Jump, 1);
}

bool JpegGuardedCall(TIEJpegErrorMgr& mgr, void (*fn)(void* context), void* context) {
  if (setjmp(mgr.Jump)) return false;
  mgr.JumpArmed = true;
  fn(context);
  mgr.JumpArmed = false;
  return true;
}

void JpegEmitMessage(j_common_ptr cinfo, int level) {
  if (level != -1) return;
  auto* mgr = reinterpret_cast<TIEJpegErrorMgr*>(cinfo->err);
  ++mgr->pub.num_warnings;
  mgr->LastWarningCode = mgr->pub.msg_code;
}

void JpegResetErrorMgr(j_common_ptr cinfo) {
  cinfo->err->num_warnings = 0;
  cinfo->err->msg_code = 0;
  reinterpret_cast<TIEJpegErrorMgr*>(cinfo->err)->LastWarningCode = 0;
}
