#!/usr/bin/env python3
"""Makes a Windows icon file (.ico) from the program's icon bitmaps:

    bmp_to_ico.py OUTPUT.ico INPUT.bmp [INPUT.bmp ...]

Each input is a 32-bit bottom-up bitmap with an alpha channel (BITMAPV4/V5
header, BI_BITFIELDS with the masks of BGRA) or without one (BI_RGB, then
every pixel is opaque). Each becomes one image of the icon, stored the way
icon resources hold them: a BITMAPINFOHEADER of twice the height, the BGRA
rows, then the 1-bit AND mask (set where a pixel is fully transparent) that
Windows uses where it draws without alpha.
"""

import struct
import sys


def read_bitmap(path):
    with open(path, "rb") as f:
        data = f.read()
    if data[:2] != b"BM":
        raise SystemExit("%s: not a bitmap file" % path)
    offset = struct.unpack_from("<I", data, 10)[0]
    header_size, width, height, planes, bits, compression = struct.unpack_from("<IiiHHI", data, 14)
    if bits != 32 or width <= 0 or height == 0 or width > 256 or abs(height) > 256:
        raise SystemExit("%s: need a 32-bit bitmap of at most 256 by 256 pixels" % path)
    has_alpha = False
    if compression == 3:  # BI_BITFIELDS
        if header_size < 56:
            raise SystemExit("%s: bit fields without an alpha mask" % path)
        masks = struct.unpack_from("<IIII", data, 14 + 40)
        if masks[:3] != (0x00FF0000, 0x0000FF00, 0x000000FF) or masks[3] not in (0, 0xFF000000):
            raise SystemExit("%s: pixel layout other than BGRA" % path)
        has_alpha = masks[3] == 0xFF000000
    elif compression != 0:  # BI_RGB
        raise SystemExit("%s: compressed bitmap" % path)
    rows = abs(height)
    pixels = bytearray(data[offset:offset + width * rows * 4])
    if len(pixels) != width * rows * 4:
        raise SystemExit("%s: cut short" % path)
    if height < 0:  # top-down: icons store rows bottom-up
        stride = width * 4
        pixels = bytearray(b"".join(pixels[r * stride:(r + 1) * stride] for r in reversed(range(rows))))
    if not has_alpha:
        for i in range(3, len(pixels), 4):
            pixels[i] = 255
    return width, rows, bytes(pixels)


def icon_image(width, height, pixels):
    mask_stride = ((width + 31) // 32) * 4
    mask = bytearray(mask_stride * height)
    for y in range(height):
        for x in range(width):
            if pixels[(y * width + x) * 4 + 3] == 0:
                mask[y * mask_stride + x // 8] |= 0x80 >> (x % 8)
    header = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, 32, 0,
                         len(pixels) + len(mask), 0, 0, 0, 0)
    return header + pixels + bytes(mask)


def main(argv):
    if len(argv) < 3:
        raise SystemExit(__doc__)
    images = [read_bitmap(path) for path in argv[2:]]
    images.sort(key=lambda image: image[0])
    blobs = [icon_image(*image) for image in images]
    out = struct.pack("<HHH", 0, 1, len(blobs))
    offset = 6 + 16 * len(blobs)
    for (width, height, _), blob in zip(images, blobs):
        out += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    with open(argv[1], "wb") as f:
        f.write(out + b"".join(blobs))


if __name__ == "__main__":
    main(sys.argv)
