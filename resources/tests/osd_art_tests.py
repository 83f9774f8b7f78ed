#!/usr/bin/env python3
"""The picture renderer's keying and files, the drawings' generator, and the
picture check's verdicts.

  osd_art_tests.py --manifest pictures.txt --catalogue OsdPictures.h --art DIR

The check is run on damaged copies of the rendered pictures in DIR: each
damage a drawing or the renderer could do must be reported by name.
"""

import os
import pathlib
import shutil
import struct
import subprocess
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "scripts"))
import osd_art  # noqa: E402

CHECK = os.path.join(HERE, "osd_art_check.py")
ARGS = {}


def picture(key, size=(8, 8), offset=None):
    p = osd_art.Picture("IDB_TEST", "test.svg", [size], key, "IDB_PANEL" if offset else None, offset)
    return p


class KeyingTests(unittest.TestCase):
    def test_magenta_keys_empty_pixels_and_blends_edges_with_the_panel(self):
        image = osd_art.Image(16, 16)
        image.put(8, 8, (255, 255, 255, 255))
        image.put(9, 8, (255, 255, 255, 128))
        rgb = osd_art.key_picture(picture("magenta", (16, 16)), image)
        self.assertEqual(rgb[0], osd_art.MAGENTA)
        self.assertEqual(rgb[8 * 16 + 8], (255, 255, 255))
        # Half white over the panel's 34679A, not over magenta.
        self.assertEqual(rgb[8 * 16 + 9], (0x9A, 0xB3, 0xCD))

    def test_magenta_picture_must_leave_its_key_pixel_empty(self):
        for size, point in (((16, 16), (2, 2)), ((40, 30), (5, 5))):
            image = osd_art.Image(*size)
            image.put(point[0], point[1], (255, 255, 255, 40))
            with self.assertRaisesRegex(osd_art.ArtError, "key pixel"):
                osd_art.key_picture(picture("magenta", size), image)

    def test_magenta_refuses_a_drawing_close_to_the_key(self):
        image = osd_art.Image(16, 16)
        image.put(10, 10, (250, 20, 240, 255))
        with self.assertRaisesRegex(osd_art.ArtError, "close to the magenta key"):
            osd_art.key_picture(picture("magenta", (16, 16)), image)

    def test_symbol_over_a_panel_blends_with_the_panel_pixel_beneath(self):
        panel = [(10 * x, 10 * y, 50) for y in range(6) for x in range(6)]
        image = osd_art.Image(2, 2)
        image.put(0, 0, (250, 250, 250, 255))
        image.put(1, 1, (255, 255, 255, 51))
        rgb = osd_art.key_picture(picture("yellow-over", (2, 2), (3, 4)), image, (6, panel))
        self.assertEqual(rgb[0], (250, 250, 250))
        self.assertEqual(rgb[1], osd_art.YELLOW)
        # Pixel (1, 1) lies over panel pixel (4, 5) = (40, 50, 50); 20 % white over it.
        self.assertEqual(rgb[3], (83, 91, 91))

    def test_outline_pictures_refuse_pure_black_and_the_key_yellow(self):
        for colour, reason in ((osd_art.BLACK, "pure black"), (osd_art.YELLOW, "key yellow")):
            image = osd_art.Image(3, 3, fill=(90, 90, 90, 255))
            image.put(1, 1, colour + (255,))
            with self.assertRaisesRegex(osd_art.ArtError, reason):
                osd_art.key_picture(picture("yellow-solid", (3, 3)), image)

    def test_outline_panel_keys_its_corners_and_keeps_its_edge(self):
        image = osd_art.Image(10, 10, fill=(60, 70, 80, 255))
        for x, y in ((0, 0), (9, 0), (0, 9), (9, 9)):
            image.put(x, y, (60, 70, 80, 40))
        image.put(5, 0, (60, 70, 80, 200))
        rgb = osd_art.key_picture(picture("yellow-panel", (10, 10)), image)
        self.assertEqual(rgb[0], osd_art.YELLOW)
        self.assertEqual(rgb[99], osd_art.YELLOW)
        self.assertNotEqual(rgb[5], osd_art.YELLOW)
        image.put(9, 9, (60, 70, 80, 255))
        with self.assertRaisesRegex(osd_art.ArtError, "corners"):
            osd_art.key_picture(picture("yellow-panel", (10, 10)), image)

    def test_a_picture_shown_whole_must_be_opaque(self):
        image = osd_art.Image(4, 4, fill=(20, 30, 40, 255))
        image.put(3, 0, (20, 30, 40, 254))
        with self.assertRaisesRegex(osd_art.ArtError, r"\(3, 0\) is not opaque"):
            osd_art.key_picture(picture("none", (4, 4)), image)


class FileTests(unittest.TestCase):
    def setUp(self):
        self.work = tempfile.mkdtemp()

    def tearDown(self):
        shutil.rmtree(self.work)

    def test_bitmap_rows_are_padded_and_stored_bottom_up(self):
        rgb = [(1, 2, 3), (4, 5, 6), (7, 8, 9), (10, 11, 12), (13, 14, 15), (16, 17, 18)]
        path = os.path.join(self.work, "b.bmp")
        osd_art.write_bmp(path, 3, 2, rgb)
        data = pathlib.Path(path).read_bytes()
        self.assertEqual(len(data), 54 + 2 * 12)
        # The first stored row is the bottom one, in blue-green-red order.
        self.assertEqual(data[54:57], bytes((12, 11, 10)))
        self.assertEqual(osd_art.read_bmp(path), (3, 2, rgb))

    def test_png_reader_undoes_every_row_filter_of_the_renderer(self):
        # A gradient with hard edges makes the renderer's encoder use several filters.
        svg = os.path.join(self.work, "g.svg")
        with open(svg, "w") as f:
            f.write('<svg xmlns="http://www.w3.org/2000/svg" width="40" height="30">'
                    '<rect width="40" height="30" fill="#123456"/>'
                    '<rect x="10" y="5" width="20" height="10" fill="#fedcba" fill-opacity="0.5"/>'
                    '<circle cx="30" cy="22" r="6" fill="#00ff00"/></svg>')
        image = osd_art.rasterise(svg, 40, 30, os.path.join(self.work, "g.png"))
        self.assertEqual(image.get(0, 0), (0x12, 0x34, 0x56, 255))
        self.assertEqual(image.get(20, 10)[3], 255)
        self.assertEqual(image.get(30, 22), (0, 255, 0, 255))
        self.assertEqual(image.get(15, 20), (0x12, 0x34, 0x56, 255))
        out = os.path.join(self.work, "copy.png")
        osd_art.write_png(out, image)
        self.assertEqual(osd_art.read_png(out).pixels, image.pixels)


class ListTests(unittest.TestCase):
    def setUp(self):
        self.work = tempfile.mkdtemp()
        self.catalogue = os.path.join(self.work, "Pictures.h")
        with open(self.catalogue, "w") as f:
            f.write("#define IDB_PANEL 10 // 20 x 20\n#define IDB_SYMBOL 11\n#define IDI_THING 12\n")
        self.png_catalogue = os.path.join(self.work, "Header.h")
        with open(self.png_catalogue, "w") as f:
            f.write("#define IDP_HEADER 135 // 64x64\n")

    def tearDown(self):
        shutil.rmtree(self.work)

    def read(self, lines):
        path = os.path.join(self.work, "list.txt")
        with open(path, "w") as f:
            f.write("# a comment\n" + "\n".join(lines) + "\n")
        return osd_art.read_manifest(path, self.catalogue)

    def test_a_complete_list_numbers_its_pictures_and_icon_images(self):
        pictures = self.read(["IDB_PANEL p.svg 20x20 yellow-panel",
                              "IDB_SYMBOL s.svg 8x8 yellow-over:IDB_PANEL@4,6",
                              "IDI_THING t.svg 16,32 icon"])
        self.assertEqual([p.resource_id for p in pictures], [10, 11, 12])
        self.assertEqual(pictures[1].offset, (4, 6))
        rc = osd_art.rc_text(pictures, "Pictures.h").splitlines()
        self.assertIn('IDB_SYMBOL BITMAP "s.bmp"', rc)
        self.assertIn('120 3 "t-16.icon"', rc)
        self.assertIn('121 3 "t-32.icon"', rc)
        self.assertIn('IDI_THING 14 "t.group"', rc)

    def test_a_png_picture_keeps_its_alpha_and_is_named_as_png(self):
        path = os.path.join(self.work, "png.txt")
        with open(path, "w") as f:
            f.write("IDP_HEADER h.svg 64x64 png\n")
        pictures = osd_art.read_manifest(path, self.png_catalogue)
        self.assertEqual(pictures[0].output(), "h.png")
        self.assertIn('IDP_HEADER PNG "h.png"', osd_art.rc_text(pictures, "Header.h").splitlines())
        svg = os.path.join(self.work, "h.svg")
        with open(svg, "w") as f:
            f.write('<svg xmlns="http://www.w3.org/2000/svg" width="64" height="64">'
                    '<circle cx="32" cy="32" r="20" fill="#2060c0"/></svg>')
        out = os.path.join(self.work, "out")
        osd_art.render(pictures, self.work, out)
        image = osd_art.read_png(os.path.join(out, "h.png"))
        self.assertEqual(image.get(0, 0)[3], 0, "the corner is not transparent")
        self.assertEqual(image.get(32, 32), (0x20, 0x60, 0xC0, 255))
        for lines, reason in ((["IDP_HEADER h.svg 64x64 magenta"], "IDP_ PNG pictures"),
                              (["IDP_HEADER h.svg 32x32 png"], "64x64 in the catalogue")):
            with open(path, "w") as f:
                f.write("\n".join(lines) + "\n")
            with self.subTest(reason=reason), self.assertRaisesRegex(osd_art.ArtError, reason):
                osd_art.read_manifest(path, self.png_catalogue)
        # The check reads the PNG's own header.
        rc = osd_art.rc_text(pictures, "Header.h")
        pathlib.Path(out, "ActuoArt.rc").write_text(rc)
        with open(path, "w") as f:
            f.write("IDP_HEADER h.svg 64x64 png\n")
        check = [sys.executable, CHECK, "--manifest", path, "--catalogue", self.png_catalogue, "--art", out,
                 "--rc", "ActuoArt.rc"]
        passed = subprocess.run(check, capture_output=True, text=True)
        self.assertEqual(passed.returncode, 0, passed.stdout)
        small = osd_art.Image(32, 32, fill=(0, 0, 0, 0))
        osd_art.write_png(os.path.join(out, "h.png"), small)
        failed = subprocess.run(check, capture_output=True, text=True)
        self.assertEqual(failed.returncode, 1, failed.stdout)
        self.assertIn("32x32, the list says 64x64", failed.stdout)

    def test_faulty_lists_are_refused_with_the_reason(self):
        complete = ["IDB_PANEL p.svg 20x20 yellow-panel", "IDB_SYMBOL s.svg 8x8 magenta", "IDI_THING t.svg 16 icon"]
        cases = [
            (complete[:2], "no drawing for IDI_THING"),
            (complete + ["IDB_OTHER o.svg 8x8 magenta"], "IDB_OTHER is not in"),
            (["IDB_PANEL p.svg 21x20 yellow-panel"] + complete[1:], "20x20 in the catalogue"),
            (complete[:1] + ["IDB_SYMBOL s.svg 8x8 sepia"] + complete[2:], "unknown key 'sepia'"),
            (complete[:1] + ["IDB_SYMBOL p.svg 8x8 magenta"] + complete[2:], "p.svg is listed twice"),
            (complete[:1] + ["IDB_SYMBOL s.svg 8x8 yellow-over:IDB_PANEL@15,2"] + complete[2:], "does not fit"),
            (complete[:1] + ["IDB_SYMBOL s.svg 8x8 yellow-over:IDI_THING@1,1"] + complete[2:], "not an outline panel"),
            (complete[:2] + ["IDI_THING t.svg 16x16 icon"], "icon sizes"),
            (complete[:2] + ["IDI_THING t.svg 16x16 magenta"], "IDI_ names icons"),
            (complete[:1] + ["IDB_SYMBOL s.svg 8x8"] + complete[2:], "expected"),
        ]
        for lines, reason in cases:
            with self.subTest(reason=reason), self.assertRaisesRegex(osd_art.ArtError, reason):
                self.read(lines)


class DrawingTests(unittest.TestCase):
    def test_committed_drawings_are_what_the_generator_writes(self):
        # A shape changed in the generator but not written out would leave the
        # displays with the old drawing.
        folder = os.path.dirname(os.path.abspath(ARGS["manifest"]))
        with tempfile.TemporaryDirectory() as work:
            subprocess.run([sys.executable, os.path.join(folder, "make-drawings.py"), work], check=True)
            written = sorted(os.listdir(work))
            self.assertTrue(written)
            for name in written:
                with self.subTest(drawing=name):
                    committed = pathlib.Path(folder, name)
                    self.assertTrue(committed.exists())
                    self.assertEqual(pathlib.Path(work, name).read_text(), committed.read_text())


def run_check(art):
    result = subprocess.run([sys.executable, CHECK, "--manifest", ARGS["manifest"], "--catalogue", ARGS["catalogue"],
                             "--art", art], capture_output=True, text=True)
    return result.returncode, result.stdout


def bitmap_pixels(path):
    data = bytearray(pathlib.Path(path).read_bytes())
    offset = struct.unpack("<I", data[10:14])[0]
    width, height = struct.unpack("<ii", data[18:26])
    return data, offset, width, height, (width * 3 + 3) // 4 * 4


def set_pixel(path, x, y, rgb):
    data, offset, _, height, stride = bitmap_pixels(path)
    at = offset + (height - 1 - y) * stride + 3 * x
    data[at : at + 3] = bytes((rgb[2], rgb[1], rgb[0]))
    pathlib.Path(path).write_bytes(data)


class CheckTests(unittest.TestCase):
    """The check passes the rendered pictures and names each kind of damage."""

    def setUp(self):
        self.work = tempfile.mkdtemp()
        self.art = os.path.join(self.work, "art")
        shutil.copytree(ARGS["art"], self.art)

    def tearDown(self):
        shutil.rmtree(self.work)

    def path(self, name):
        return os.path.join(self.art, name)

    def assertFault(self, *words):
        code, out = run_check(self.art)
        self.assertEqual(code, 1, out)
        faults = [line for line in out.splitlines() if line.startswith("FAULT")]
        self.assertTrue(any(all(w in line for w in words) for line in faults), out)

    def test_rendered_pictures_pass(self):
        code, out = run_check(self.art)
        self.assertEqual(code, 0, out)

    def test_pink_fringe_on_a_classic_symbol(self):
        set_pixel(self.path("osd-sun-97x91.bmp"), 48, 3, (230, 40, 225))
        self.assertFault("osd-sun-97x91.bmp", "pink fringe")

    def test_classic_symbol_covering_its_key_pixel(self):
        set_pixel(self.path("osd-plus-15x15.bmp"), 2, 2, (255, 255, 255))
        self.assertFault("osd-plus-15x15.bmp", "key pixel (2, 2)")

    def test_pure_black_in_an_outline_picture(self):
        set_pixel(self.path("outline-sun-74x74.bmp"), 37, 37, (0, 0, 0))
        self.assertFault("outline-sun-74x74.bmp", "pure black")

    def test_outline_panel_with_a_filled_corner_or_a_hole(self):
        set_pixel(self.path("outline-panel-210x210.bmp"), 209, 209, (30, 40, 50))
        set_pixel(self.path("outline-panel-140x140.bmp"), 70, 70, (255, 242, 0))
        self.assertFault("outline-panel-210x210.bmp", "corner")
        self.assertFault("outline-panel-140x140.bmp", "inside the panel")

    def test_yellow_fringe_around_an_outline_symbol(self):
        set_pixel(self.path("outline-speaker-110x110.bmp"), 1, 1, (250, 235, 40))
        self.assertFault("outline-speaker-110x110.bmp", "yellow fringe")

    def test_unlit_tick_as_bright_as_the_lit_one(self):
        shutil.copy(self.path("outline-volume-tick-lit-3x11.bmp"), self.path("outline-volume-tick-unlit-3x11.bmp"))
        self.assertFault("IDB_K7_VOLUME_UNLIT_LARGE", "not clearly below")

    def test_bitmap_of_the_wrong_size_or_depth(self):
        shutil.copy(self.path("osd-minus-15x15.bmp"), self.path("osd-plus-15x15.bmp"))
        shutil.copy(self.path("outline-panel-140x140.bmp"), self.path("osd-sun-97x91.bmp"))
        data = bytearray(pathlib.Path(self.path("slider-volume-280x150.bmp")).read_bytes())
        data[28] = 32
        pathlib.Path(self.path("slider-volume-280x150.bmp")).write_bytes(data)
        self.assertFault("osd-sun-97x91.bmp", "140x140, the list says 97x91")
        self.assertFault("slider-volume-280x150.bmp", "not an uncompressed 24-bit")

    def test_truncated_or_missing_bitmap(self):
        data = pathlib.Path(self.path("slider-brightness-280x150.bmp")).read_bytes()
        pathlib.Path(self.path("slider-brightness-280x150.bmp")).write_bytes(data[: len(data) // 2])
        os.remove(self.path("outline-sun-110x110.bmp"))
        self.assertFault("slider-brightness-280x150.bmp", "does not hold")
        self.assertFault("IDB_K7_SUN_LARGE", "no bitmap")

    def test_icon_without_one_of_its_sizes(self):
        ico = self.path("icon-speaker.ico")
        subprocess.run([osd_art.CONVERT, ico + "[0-3]", ico], check=True)
        self.assertFault("icon-speaker.ico", "sizes")

    def test_icon_without_alpha(self):
        ico = self.path("icon-speaker-muted.ico")
        flat = os.path.join(self.work, "flat.png")
        subprocess.run([osd_art.CONVERT, ico + "[4]", "-background", "white", "-alpha", "remove", flat], check=True)
        sizes = [os.path.join(self.work, "flat%d.png" % s) for s in (16, 20, 24, 32, 48)]
        for s, out in zip((16, 20, 24, 32, 48), sizes):
            subprocess.run([osd_art.CONVERT, flat, "-resize", "%dx%d" % (s, s), "-type", "TrueColor", out], check=True)
        subprocess.run([osd_art.CONVERT] + sizes + [ico], check=True)
        self.assertFault("icon-speaker-muted.ico")

    def test_resource_script_missing_a_picture(self):
        rc = self.path("OsdArt.rc")
        lines = [line for line in pathlib.Path(rc).read_text().splitlines() if not line.startswith("IDB_OSD_SUN ")]
        pathlib.Path(rc).write_text("\n".join(lines) + "\n")
        self.assertFault("OsdArt.rc", "IDB_OSD_SUN")


def main():
    argv = sys.argv[1:]
    for name in ("manifest", "catalogue", "art"):
        flag = "--" + name
        if flag not in argv or argv.index(flag) + 1 >= len(argv):
            print("usage: osd_art_tests.py --manifest M --catalogue H --art DIR", file=sys.stderr)
            return 2
        at = argv.index(flag)
        ARGS[name] = argv[at + 1]
        del argv[at : at + 2]
    program = unittest.main(argv=[sys.argv[0]] + argv, exit=False, verbosity=2)
    return 0 if program.result.wasSuccessful() else 1


if __name__ == "__main__":
    sys.exit(main())
