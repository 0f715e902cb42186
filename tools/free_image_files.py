"""The image library's writers, through ctypes, for the scripts that make test pictures and fuzz
seeds: bitmaps made from pixels, converted, and saved to bytes in a kind and with flags."""
import ctypes

BMP, JPEG, PNG, TIFF = 0, 2, 13, 18
FIT_RGB16 = 9


class FreeImage:
    def __init__(self):
        lib = ctypes.CDLL("libfreeimage.so.3")
        for name in ("FreeImage_Allocate", "FreeImage_ConvertTo24Bits", "FreeImage_ConvertTo8Bits",
                     "FreeImage_ConvertToGreyscale", "FreeImage_ConvertToType",
                     "FreeImage_OpenMemory"):
            getattr(lib, name).restype = ctypes.c_void_p
        lib.FreeImage_GetBits.restype = ctypes.POINTER(ctypes.c_uint8)
        for name in ("FreeImage_ConvertTo24Bits", "FreeImage_ConvertTo8Bits",
                     "FreeImage_ConvertToGreyscale", "FreeImage_GetBits", "FreeImage_Unload"):
            getattr(lib, name).argtypes = [ctypes.c_void_p]
        lib.FreeImage_ConvertToType.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int]
        lib.FreeImage_SaveToMemory.argtypes = [ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p,
                                               ctypes.c_int]
        lib.FreeImage_AcquireMemory.argtypes = [ctypes.c_void_p, ctypes.c_void_p, ctypes.c_void_p]
        lib.FreeImage_CloseMemory.argtypes = [ctypes.c_void_p]
        lib.FreeImage_OpenMemory.argtypes = [ctypes.c_void_p, ctypes.c_uint32]
        self.lib = lib
        self.bitmaps = []

    def _kept(self, bitmap):
        self.bitmaps.append(bitmap)
        return bitmap

    def rgba(self, width, height, put):
        """A 32-bit bitmap whose bytes `put(bits)` fills: B,G,R,A, the bottom row first."""
        bitmap = self._kept(self.lib.FreeImage_Allocate(width, height, 32, 0xFF0000, 0xFF00, 0xFF))
        put(self.lib.FreeImage_GetBits(bitmap))
        return bitmap

    def rgb(self, bitmap):
        return self._kept(self.lib.FreeImage_ConvertTo24Bits(bitmap))

    def grey(self, bitmap):
        return self._kept(self.lib.FreeImage_ConvertToGreyscale(bitmap))

    def rgb16(self, bitmap):
        return self._kept(self.lib.FreeImage_ConvertToType(bitmap, FIT_RGB16, 1))

    def save(self, kind, bitmap, flags=0):
        memory = self.lib.FreeImage_OpenMemory(None, 0)
        assert self.lib.FreeImage_SaveToMemory(kind, bitmap, memory, flags)
        data = ctypes.POINTER(ctypes.c_uint8)()
        size = ctypes.c_uint32()
        self.lib.FreeImage_AcquireMemory(memory, ctypes.byref(data), ctypes.byref(size))
        out = bytes(data[:size.value])
        self.lib.FreeImage_CloseMemory(memory)
        return out

    def unload_all(self):
        for bitmap in self.bitmaps:
            self.lib.FreeImage_Unload(bitmap)
        self.bitmaps = []
