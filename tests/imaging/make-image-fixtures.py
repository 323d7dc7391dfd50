#!/usr/bin/env python3
"""Writes the image fixtures tests/data/img-* byte by byte from the file format descriptions,
independently of the program's own image code. JPEG files come from poppler's pdftoppm and
pdftocairo, which render a small hand-written PDF page. Run from anywhere: python3 make-image-fixtures.py

The canonical picture is 5 x 3 pixels, top row first:
  red, green, blue, white, black
  yellow, cyan, magenta, grey 128, orange (255, 128, 0)
  navy (0, 0, 128) four times, then (10, 20, 30)
"""
import os
import struct
import subprocess
import tempfile
import zlib

DATA = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "data")

PALETTE = [(0, 0, 0), (255, 255, 255), (255, 0, 0), (0, 255, 0), (0, 0, 255), (255, 255, 0),
           (0, 255, 255), (255, 0, 255), (128, 128, 128), (255, 128, 0), (0, 0, 128), (10, 20, 30)]
INDEXES = [[2, 3, 4, 1, 0], [5, 6, 7, 8, 9], [10, 10, 10, 10, 11]]  # top row first
W, H = 5, 3
PIXELS = [[PALETTE[i] for i in row] for row in INDEXES]
GREY = [[0, 64, 128, 192, 255], [10, 20, 30, 40, 50], [255, 254, 253, 252, 251]]
# Alpha of the picture's pixels in the transparent variants: red invisible, green half.
ALPHA = [[0, 128, 255, 255, 255], [255] * 5, [255] * 5]
MONO_PALETTE = [(200, 30, 40), (20, 200, 60)]


def write(name, data):
    with open(os.path.join(DATA, name), "wb") as f:
        f.write(data)


# ---- Windows bitmaps ----

def bmp_file(header, table, rows, offset=None):
    offset = 14 + len(header) + len(table) if offset is None else offset
    if struct.unpack("<I", header[:4])[0] >= 40 and struct.unpack("<I", header[16:20])[0] in (0, 3):
        # Uncompressed rows: the size field holds their byte count, as most writers do.
        header = header[:20] + struct.pack("<I", len(rows)) + header[24:]
    body = header + table + rows
    return b"BM" + struct.pack("<IHHI", 14 + len(body), 0, 0, offset) + body


def info_header(width, height, bits, compression=0, image_size=0, colors=0, size=40):
    return struct.pack("<IiiHHIIiiII", size, width, height, 1, bits, compression, image_size,
                       2835, 2835, colors, 0)


def bgrx_table(palette, count):
    out = b""
    for i in range(count):
        r, g, b = palette[i] if i < len(palette) else (0, 0, 0)
        out += bytes([b, g, r, 0])
    return out


def pad(row):
    return row + b"\0" * (-len(row) % 4)


def packed_rows(bits, bottom_up=True):
    rows = []
    for y in range(H):
        idx = INDEXES[y] if bits > 1 else [(x + y) % 2 for x in range(W)]
        if bits == 8:
            raw = bytes(idx)
        elif bits == 4:
            raw = bytes(((idx[x] << 4) | (idx[x + 1] if x + 1 < W else 0)) for x in range(0, W, 2))
        else:
            v = 0
            for x in range(W):
                v |= idx[x] << (7 - x)
            raw = bytes([v])
        rows.append(pad(raw))
    if bottom_up:
        rows.reverse()
    return b"".join(rows)


def rgb_rows(bits, bottom_up=True, alpha=False):
    rows = []
    for y in range(H):
        raw = b""
        for x in range(W):
            r, g, b = PIXELS[y][x]
            raw += bytes([b, g, r]) + (bytes([ALPHA[y][x] if alpha else 0]) if bits == 32 else b"")
        rows.append(pad(raw))
    if bottom_up:
        rows.reverse()
    return b"".join(rows)


def make_bmps():
    mono = packed_rows(1)
    write("img-bmp-1bit.bmp", bmp_file(info_header(W, H, 1), bgrx_table(MONO_PALETTE, 2), mono))
    write("img-bmp-4bit.bmp", bmp_file(info_header(W, H, 4), bgrx_table(PALETTE, 16), packed_rows(4)))
    write("img-bmp-8bit.bmp",
          bmp_file(info_header(W, H, 8, colors=len(PALETTE)), bgrx_table(PALETTE, len(PALETTE)), packed_rows(8)))
    write("img-bmp-24bit.bmp", bmp_file(info_header(W, H, 24), b"", rgb_rows(24)))
    write("img-bmp-24bit-top-down.bmp", bmp_file(info_header(W, -H, 24), b"", rgb_rows(24, bottom_up=False)))
    write("img-bmp-32bit.bmp", bmp_file(info_header(W, H, 32), b"", rgb_rows(32)))
    # Version 5 header with bit-field masks and an alpha channel.
    v5 = info_header(W, H, 32, compression=3, size=124)
    v5 += struct.pack("<IIII", 0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000)
    v5 += b"BGRs" + b"\0" * (124 - 56 - 4)
    write("img-bmp-32bit-bitfields-alpha.bmp", bmp_file(v5, b"", rgb_rows(32, alpha=True)))
    # OS/2 core header: 16-bit sizes, colour table of 3-byte entries.
    core = struct.pack("<IHHHH", 12, W, H, 1, 8)
    table = b"".join(bytes([b, g, r]) for (r, g, b) in PALETTE) + b"\0\0\0" * (256 - len(PALETTE))
    write("img-bmp-os2-core-8bit.bmp", bmp_file(core, table, packed_rows(8)))

    # RLE8 of the canonical picture, bottom row first: runs, an absolute run, line ends.
    rle8 = bytes([4, 10, 1, 11, 0, 0,
                  0, 5, 5, 6, 7, 8, 9, 0, 0, 0,
                  0, 3, 2, 3, 4, 0, 1, 1, 1, 0,   # absolute run of three, then two runs of one
                  0, 1])
    write("img-bmp-rle8.bmp", bmp_file(info_header(W, H, 8, 1, len(rle8), len(PALETTE)),
                                        bgrx_table(PALETTE, len(PALETTE)), rle8))
    rle4 = bytes([4, 0xAA, 1, 0xB0, 0, 0,
                  0, 5, 0x56, 0x78, 0x90, 0, 0, 0,
                  0, 5, 0x23, 0x41, 0x00, 0, 0, 0,
                  0, 1])
    write("img-bmp-rle4.bmp", bmp_file(info_header(W, H, 4, 2, len(rle4)), bgrx_table(PALETTE, 16), rle4))
    # A delta: 4 x 3 pixels of colour 0 (white here) with two red pixels at row 1, columns 1 and 2.
    delta = bytes([0, 2, 1, 1, 2, 1, 0, 1])
    write("img-bmp-rle8-delta.bmp", bmp_file(info_header(4, 3, 8, 1, len(delta), 2),
                                              bgrx_table([(255, 255, 255), (255, 0, 0)], 2), delta))

    make_16_bit_bmps()

    # Damaged and unsupported files, named after their defect.
    full = bmp_file(info_header(W, H, 24), b"", rgb_rows(24))
    write("img-bmp-cut-inside-rows.bmp", full[:len(full) - 20])
    write("img-bmp-cut-inside-header.bmp", full[:30])
    cut_rle = bmp_file(info_header(W, H, 8, 1, len(rle8), len(PALETTE)), bgrx_table(PALETTE, len(PALETTE)), rle8[:-8])
    write("img-bmp-rle8-cut-before-end-of-bitmap.bmp", cut_rle)
    write("img-bmp-rle8-with-top-down-rows.bmp",
          bmp_file(info_header(W, -H, 8, 1, len(rle8), len(PALETTE)), bgrx_table(PALETTE, len(PALETTE)), rle8))
    write("img-bmp-width-zero.bmp", bmp_file(info_header(0, H, 24), b"", rgb_rows(24)))
    write("img-bmp-pixel-count-above-limit.bmp", bmp_file(info_header(100000, 100000, 8, colors=2),
                                                          bgrx_table(PALETTE, 2), b"\0" * 64))
    write("img-bmp-pixel-count-above-limit-rle8.bmp", bmp_file(info_header(20000, 20000, 8, 1, 2, 2),
                                                               bgrx_table(PALETTE, 2), bytes([0, 1])))
    write("img-bmp-data-offset-inside-header.bmp", bmp_file(info_header(W, H, 24), b"", rgb_rows(24), offset=20))
    write("img-bmp-16-bits-per-pixel.bmp", bmp_file(info_header(W, H, 16), b"", b"\0" * (12 * H)))
    write("img-bmp-colour-count-above-256.bmp",
          bmp_file(info_header(W, H, 8, colors=100000), bgrx_table(PALETTE, 16), packed_rows(8)))
    write("img-bmp-header-size-unknown.bmp",
          b"BM" + struct.pack("<IHHI", 100, 0, 0, 34) + struct.pack("<IiiHH", 20, W, H, 1, 24) + b"\0" * 66)
    write("img-bmp-rle8-in-24-bit-file.bmp", bmp_file(info_header(W, H, 24, 1, len(rle8)), b"", rle8))


# 16 bits per pixel: 5-5-5 (the default of plain rows) or masks such as 5-6-5. Each channel
# keeps the high bits of the picture's 8-bit value.
MASKS_555 = (0x7C00, 0x03E0, 0x001F)
MASKS_565 = (0xF800, 0x07E0, 0x001F)


def pack16(r, g, b, masks):
    """A pixel with each channel's value shifted into its mask, from the channel's high bits."""
    v = 0
    for c, m in zip((r, g, b), masks):
        shift = (m & -m).bit_length() - 1
        width = bin(m).count("1")
        v |= (c >> (8 - width)) << shift
    return v


def rows16(masks, pixels, bottom_up=True, alpha_bit=False):
    rows = []
    for y, line in enumerate(pixels):
        raw = b""
        for x, (r, g, b) in enumerate(line):
            v = pack16(r, g, b, masks)
            if alpha_bit and ALPHA[y][x] >= 128:
                v |= 0x8000
            raw += struct.pack("<H", v)
        rows.append(pad(raw))
    if bottom_up:
        rows.reverse()
    return b"".join(rows)


def mask_table(*masks):
    return b"".join(struct.pack("<I", m) for m in masks)


def v4_or_v5_header(width, height, bits, masks, size):
    """A version 4 (108 bytes) or 5 (124 bytes) header with bit-field masks red, green, blue,
    alpha and the sRGB colour space."""
    return (info_header(width, height, bits, compression=3, size=size) + mask_table(*masks) +
            b"BGRs" + b"\0" * (size - 56 - 4))


def make_16_bit_bmps():
    write("img-bmp-16bit-555.bmp", bmp_file(info_header(W, H, 16), b"", rows16(MASKS_555, PIXELS)))
    write("img-bmp-16bit-555-top-down.bmp",
          bmp_file(info_header(W, -H, 16), b"", rows16(MASKS_555, PIXELS, bottom_up=False)))
    write("img-bmp-16bit-565-bitfields.bmp",
          bmp_file(info_header(W, H, 16, compression=3), mask_table(*MASKS_565), rows16(MASKS_565, PIXELS)))
    write("img-bmp-16bit-565-v5-header.bmp",
          bmp_file(v4_or_v5_header(W, H, 16, MASKS_565 + (0,), 124), b"", rows16(MASKS_565, PIXELS)))
    # 1-5-5-5 with the top bit as alpha: the red pixel clear, all others opaque.
    write("img-bmp-16bit-1555-v4-header-alpha.bmp",
          bmp_file(v4_or_v5_header(W, H, 16, MASKS_555 + (0x8000,), 108), b"",
                   rows16(MASKS_555, PIXELS, alpha_bit=True)))
    # One row of 6 pixels with the raw channel values 0, 1, 3, 16, 28, 31 in red and blue and
    # 0, 1, 12, 32, 51, 63 in green (no padding: 12 bytes).
    ramp = b"".join(struct.pack("<H", r << 11 | g << 5 | r)
                    for r, g in zip((0, 1, 3, 16, 28, 31), (0, 1, 12, 32, 51, 63)))
    write("img-bmp-16bit-565-channel-ramp.bmp",
          bmp_file(info_header(6, 1, 16, compression=3), mask_table(*MASKS_565), ramp))
    # A logo of 3 x 2 blocks of 16 x 16 pixels in six colours, 5-6-5.
    blocks = [(220, 30, 40), (20, 150, 60), (30, 60, 200), (250, 200, 20), (255, 255, 255), (90, 40, 120)]
    logo = [[blocks[(y // 16) * 3 + x // 16] for x in range(48)] for y in range(32)]
    write("img-bmp-16bit-565-block-logo.bmp",
          bmp_file(info_header(48, 32, 16, compression=3), mask_table(*MASKS_565), rows16(MASKS_565, logo)))

    # Damaged ones, named after their defect.
    def with_masks(*masks):
        return bmp_file(info_header(W, H, 16, compression=3), mask_table(*masks), rows16(MASKS_565, PIXELS))
    write("img-bmp-16bit-bitfields-mask-zero.bmp", with_masks(0xF800, 0, 0x001F))
    write("img-bmp-16bit-bitfields-masks-overlapping.bmp", with_masks(0xF800, 0x0FE0, 0x001F))
    write("img-bmp-16bit-bitfields-mask-outside-pixel.bmp", with_masks(0x1F000, 0x07E0, 0x001F))
    write("img-bmp-16bit-bitfields-mask-with-gap.bmp", with_masks(0xE800, 0x07E0, 0x001F))
    full16 = bmp_file(info_header(W, H, 16), b"", rows16(MASKS_555, PIXELS))
    write("img-bmp-16bit-cut-inside-rows.bmp", full16[:len(full16) - 6])
    write("img-bmp-32bit-bitfields-masks-overlapping.bmp",
          bmp_file(info_header(W, H, 32, compression=3), mask_table(0x00FF0000, 0x00FFFF00, 0x000000FF),
                   rgb_rows(32)))


# ---- PNG ----

def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)


def png(width, height, depth, colour, rows, extra=b"", interlace=0, idat=None):
    ihdr = struct.pack(">IIBBBBB", width, height, depth, colour, 0, 0, interlace)
    raw = b"".join(b"\0" + r for r in rows) if idat is None else idat
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) + extra + chunk(b"IDAT", zlib.compress(raw)) + chunk(b"IEND", b"")


def bits_row(values, depth):
    out, acc, n = b"", 0, 0
    for v in values:
        acc = (acc << depth) | v
        n += depth
        if n == 8:
            out += bytes([acc])
            acc, n = 0, 0
    if n:
        out += bytes([acc << (8 - n)])
    return out


def adam7(rows_px, bytes_per_pixel):
    """The image data of an interlaced file: the seven passes, each with its own filter bytes."""
    passes = [(0, 0, 8, 8), (4, 0, 8, 8), (0, 4, 4, 8), (2, 0, 4, 4), (0, 2, 2, 4), (1, 0, 2, 2), (0, 1, 1, 2)]
    out = b""
    height, width = len(rows_px), len(rows_px[0])
    for x0, y0, dx, dy in passes:
        for y in range(y0, height, dy):
            row = b"".join(rows_px[y][x] for x in range(x0, width, dx))
            if row:
                out += b"\0" + row
    return out


def make_pngs():
    plte = chunk(b"PLTE", b"".join(bytes(c) for c in PALETTE))
    write("img-png-palette-8bit.png", png(W, H, 8, 3, [bytes(r) for r in INDEXES], plte))
    trns = chunk(b"tRNS", bytes([255, 255, 0, 128]))  # red invisible, green half
    write("img-png-palette-4bit-transparent.png", png(W, H, 4, 3, [bits_row(r, 4) for r in INDEXES], plte + trns))
    write("img-png-grey-8bit.png", png(W, H, 8, 0, [bytes(r) for r in GREY]))
    write("img-png-grey-1bit.png", png(W, H, 1, 0, [bits_row([(x + y) % 2 for x in range(W)], 1) for y in range(H)]))
    write("img-png-grey-alpha.png",
          png(W, H, 8, 4, [b"".join(bytes([GREY[y][x], ALPHA[y][x]]) for x in range(W)) for y in range(H)]))
    write("img-png-rgb-8bit.png", png(W, H, 8, 2, [b"".join(bytes(p) for p in r) for r in PIXELS]))
    write("img-png-rgba.png",
          png(W, H, 8, 6, [b"".join(bytes(PIXELS[y][x]) + bytes([ALPHA[y][x]]) for x in range(W)) for y in range(H)]))
    write("img-png-rgb-16bit.png",
          png(W, H, 16, 2, [b"".join(struct.pack(">HHH", *(v * 257 for v in p)) for p in r) for r in PIXELS]))
    # 9 x 9 pixels, interlaced: colour (x * 28, y * 28, 200).
    big = [[bytes([x * 28, y * 28, 200]) for x in range(9)] for y in range(9)]
    write("img-png-rgb-interlaced.png", png(9, 9, 8, 2, None, interlace=1, idat=adam7(big, 3)))

    full = png(W, H, 8, 2, [b"".join(bytes(p) for p in r) for r in PIXELS])
    write("img-png-cut-inside-image-data.png", full[:full.index(b"IDAT") + 10])
    damaged = bytearray(full)
    damaged[29] ^= 0xFF  # a byte of the header's CRC
    write("img-png-header-crc-wrong.png", bytes(damaged))
    write("img-png-pixel-count-above-limit.png",
          png(20000, 20000, 8, 2, None, idat=b"\0" * 1000))
    write("img-png-image-data-too-short.png", png(W, H, 8, 2, None, idat=b"\0" * 7))
    write("img-png-signature-damaged.png", b"\x89PNX" + full[4:])
    no_idat = full[:full.index(b"IDAT") - 4] + chunk(b"IEND", b"")
    write("img-png-image-data-missing.png", no_idat)
    write("img-png-palette-missing.png", png(W, H, 8, 3, [bytes(r) for r in INDEXES]))

    # Hostile files: 44 bytes whose text chunk claims 0x7FFFFFF0 bytes, and a valid picture
    # behind four compressed text chunks that each expand to almost 8 MiB.
    head = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", W, H, 8, 2, 0, 0, 0))
    write("img-png-text-chunk-length-past-end.png", head + struct.pack(">I", 0x7FFFFFF0) + b"tEXt" + b"Tit")
    ztxt = chunk(b"zTXt", b"Comment\0\0" + zlib.compress(b"A" * ((8 << 20) - 4096), 9))
    write("img-png-compressed-text-expanding-to-32-mib.png",
          png(W, H, 8, 2, [b"".join(bytes(p) for p in r) for r in PIXELS], ztxt * 4))


# ---- JPEG, through pdftoppm ----

def quadrant_pdf():
    """A 16 x 16 point page: red top left, green top right, blue bottom left, white bottom right."""
    return one_page_pdf(16, b"1 0 0 rg 0 8 8 8 re f\n0 1 0 rg 8 8 8 8 re f\n"
                            b"0 0 1 rg 0 0 8 8 re f\n1 1 1 rg 8 0 8 8 re f\n")


def one_page_pdf(side, content):
    objects = [b"<< /Type /Catalog /Pages 2 0 R >>",
               b"<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
               b"<< /Type /Page /Parent 2 0 R /MediaBox [0 0 %d %d] /Contents 4 0 R >>" % (side, side),
               b"<< /Length %d >>\nstream\n" % len(content) + content + b"endstream"]
    out = b"%PDF-1.3\n"
    offsets = []
    for i, body in enumerate(objects, 1):
        offsets.append(len(out))
        out += b"%d 0 obj\n" % i + body + b"\nendobj\n"
    xref = len(out)
    out += b"xref\n0 %d\n0000000000 65535 f \n" % (len(objects) + 1)
    out += b"".join(b"%010d 00000 n \n" % o for o in offsets)
    out += b"trailer\n<< /Size %d /Root 1 0 R >>\nstartxref\n%d\n%%%%EOF" % (len(objects) + 1, xref)
    return out


def make_jpegs():
    with tempfile.TemporaryDirectory() as tmp:
        pdf = os.path.join(tmp, "q.pdf")
        with open(pdf, "wb") as f:
            f.write(quadrant_pdf())

        def render(name, *options, program="pdftoppm", pdf=pdf):
            base = os.path.join(tmp, name)
            smooth = ["-aa", "no", "-aaVector", "no"] if program == "pdftoppm" else ["-antialias", "none"]
            subprocess.run([program, "-r", "72", *smooth, "-singlefile", *options, pdf, base], check=True)
            with open(base + ".jpg", "rb") as f:
                return f.read()

        colour = render("c", "-jpeg", "-jpegopt", "quality=95")
        write("img-jpeg-colour.jpg", colour)
        # pdftoppm writes grey pages with three components; pdftocairo with one.
        write("img-jpeg-grey.jpg", render("g", "-jpeg", "-gray", "-jpegopt", "quality=95", program="pdftocairo"))
        write("img-jpeg-progressive.jpg", render("p", "-jpeg", "-jpegopt", "quality=95,progressive=y"))
        # A plain white 1024 x 1024 page with optimised Huffman tables: about two bits per block,
        # as small as an ordinary encoder makes such a picture.
        white = os.path.join(tmp, "w.pdf")
        with open(white, "wb") as f:
            f.write(one_page_pdf(1024, b"1 1 1 rg 0 0 1024 1024 re f\n"))
        write("img-jpeg-white-page-optimised.jpg", render("w", "-jpeg", "-jpegopt", "quality=90,optimize=y", pdf=white))

    sos = colour.index(b"\xff\xda")
    write("img-jpeg-cut-inside-scan.jpg", colour[:sos + 30])
    write("img-jpeg-cut-inside-header.jpg", colour[:sos // 2])
    sof = colour.index(b"\xff\xc0")
    huge = bytearray(colour)
    huge[sof + 5:sof + 9] = struct.pack(">HH", 65000, 65000)
    write("img-jpeg-dimensions-above-limit.jpg", bytes(huge))
    zero = bytearray(colour)
    zero[sof + 5:sof + 9] = struct.pack(">HH", 0, 16)
    write("img-jpeg-height-zero.jpg", bytes(zero))
    # The frame header left out: a scan without a frame.
    end = sof + 2 + struct.unpack(">H", colour[sof + 2:sof + 4])[0]
    write("img-jpeg-frame-header-missing.jpg", colour[:sof] + colour[end:])
    # A marker in the middle of the entropy-coded data.
    broken = bytearray(colour)
    broken[sos + 20:sos + 22] = b"\xff\xd5"
    write("img-jpeg-marker-inside-scan.jpg", bytes(broken))
    write("img-jpeg-fewer-bits-than-blocks.jpg", tiny_progressive_jpeg())


def segment(marker, body):
    return bytes([0xFF, marker]) + struct.pack(">H", len(body) + 2) + body


def tiny_progressive_jpeg():
    """A progressive 4096 x 4096 colour JPEG of 8 KiB: one scan gives the first (DC) value of
    the smallest component, each block in one bit of a one-code Huffman table; then the file
    ends. A decoder that believes the size keeps coefficients for every block of the image."""
    side = 4096
    sof = struct.pack(">BHHB", 8, side, side, 3) + bytes([1, 0x22, 0, 2, 0x11, 0, 3, 0x11, 0])
    dht = bytes([0x00]) + bytes([1] + [0] * 15) + bytes([0])
    sos = bytes([1, 2, 0x00, 0, 0, 0])
    chroma_blocks = (side // 16) ** 2
    return (b"\xff\xd8" + segment(0xDB, bytes([0]) + bytes([1] * 64)) + segment(0xC2, sof) +
            segment(0xC4, dht) + segment(0xDA, sos) + b"\0" * (chroma_blocks // 8) + b"\xff\xd9")


def make_other():
    write("img-gif-not-read.gif", b"GIF89a\x01\x00\x01\x00\x00\x00\x00;")
    write("img-empty-file.bmp", b"")


if __name__ == "__main__":
    make_bmps()
    make_pngs()
    make_jpegs()
    make_other()
