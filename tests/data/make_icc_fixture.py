"""Writes gamma22_v2.icc: an ICC version 2 RGB display profile made by LittleCMS
(through ctypes): sRGB primaries, D65 white, a gamma-2.2 curve on each channel,
and 8-bit "desc" and "cprt" texts. Run with /usr/bin/python3 in this folder."""
import ctypes

lcms = ctypes.CDLL("liblcms2.so.2")


class xyY(ctypes.Structure):
    _fields_ = [("x", ctypes.c_double), ("y", ctypes.c_double), ("Y", ctypes.c_double)]


class xyYTriple(ctypes.Structure):
    _fields_ = [("Red", xyY), ("Green", xyY), ("Blue", xyY)]


lcms.cmsBuildGamma.restype = ctypes.c_void_p
lcms.cmsBuildGamma.argtypes = [ctypes.c_void_p, ctypes.c_double]
lcms.cmsCreateRGBProfile.restype = ctypes.c_void_p
lcms.cmsCreateRGBProfile.argtypes = [ctypes.POINTER(xyY), ctypes.POINTER(xyYTriple), ctypes.c_void_p * 3]
lcms.cmsSetProfileVersion.argtypes = [ctypes.c_void_p, ctypes.c_double]
lcms.cmsMLUalloc.restype = ctypes.c_void_p
lcms.cmsMLUalloc.argtypes = [ctypes.c_void_p, ctypes.c_uint32]
lcms.cmsMLUsetASCII.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_char_p, ctypes.c_char_p]
lcms.cmsWriteTag.argtypes = [ctypes.c_void_p, ctypes.c_uint32, ctypes.c_void_p]
lcms.cmsSaveProfileToMem.argtypes = [ctypes.c_void_p, ctypes.c_void_p, ctypes.POINTER(ctypes.c_uint32)]

white = xyY(0.3127, 0.3290, 1.0)
primaries = xyYTriple(xyY(0.64, 0.33, 1.0), xyY(0.30, 0.60, 1.0), xyY(0.15, 0.06, 1.0))
curve = lcms.cmsBuildGamma(None, 2.2)
profile = lcms.cmsCreateRGBProfile(ctypes.byref(white), ctypes.byref(primaries), (ctypes.c_void_p * 3)(curve, curve, curve))
lcms.cmsSetProfileVersion(profile, 2.1)
for sig, text in ((0x64657363, b"Duplexion gamma 2.2 RGB"), (0x63707274, b"No copyright, test fixture")):
    mlu = lcms.cmsMLUalloc(None, 1)
    lcms.cmsMLUsetASCII(mlu, b"en", b"US", text)
    lcms.cmsWriteTag(profile, sig, mlu)
size = ctypes.c_uint32(0)
lcms.cmsSaveProfileToMem(profile, None, ctypes.byref(size))
buf = ctypes.create_string_buffer(size.value)
lcms.cmsSaveProfileToMem(profile, buf, ctypes.byref(size))
with open("gamma22_v2.icc", "wb") as f:
    f.write(buf.raw[: size.value])
