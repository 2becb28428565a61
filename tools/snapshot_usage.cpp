// normals-snapshot's help: what --help prints, and a mistake's usage lines.
#include "snapshot_options.h"

std::string snapshotUsage() {
  const std::string program = kSnapshotProgram;
  return "usage: " + program +
          " [SURFACES] [GRID] [--phase P | --at-rest] [--icon N] [--eye X,Y,Z] [--fit]\n"
         "         [--normals LINES] [--facet F] [--shading S] [--inspect ROW,COLUMN]\n"
         "         [--convergence] [--out FILE_OR_DIR]\n"
         "       " +
         program +
         " --animation [--every N] [SURFACES] [--eye X,Y,Z] [--fit] [--facet F]\n"
         "         [--shading S] [--out FILE_OR_DIR]\n"
         "       " +
         program +
         " --obj | --stl [SURFACES] [--phase P | --at-rest] [--out FILE_OR_DIR]\n"
         "       " +
         program +
         " --help | --version\n"
         "Writes frames of the normals viewer as PNG files, by default all six surfaces at rest\n"
         "as surface-0.png ... surface-5.png in the current folder.\n"
         "SURFACES: --all (every surface, the default), --surface K (surface K, 0 to 5), or a\n"
         "surface of one's own: --x F --y F --z F, its coordinates as formulas in u, v and t\n"
         "(the phase while the animation runs, 0 at rest), written as formula.png, .gif or .obj,\n"
         "with --set NAME=VALUE for each constant it names. GRID: --cells NU[,NV], and for a\n"
         "surface of one's own --u A,B and --v C,D\n"
         "  --phase P     the animation on, held at phase P (0 to 1); --at-rest: off (the "
         "default)\n"
         "  --icon N      an N x N icon (16 to 256): the middle of the frame, averaged down\n"
         "  --animation   one oscillation as an animated GIF per surface (surface-K.gif)\n"
         "  --every N     keep a frame every N of the 300 idle steps (1 to 300, default 10)\n"
         "  --obj         the cells as a Wavefront OBJ file per surface (surface-K.obj): corners,\n"
         "                faces with their normals, and the red lines; no display needed\n"
         "  --stl         the cells as a binary STL file per surface (surface-K.stl): two\n"
         "                triangles a cell, each with its normal; degenerate cells left out\n"
         "  --eye X,Y,Z   the pictures seen from (X, Y, Z), looking at the origin with Y up\n"
         "                (the viewer's own: 10,10,10)\n"
         "  --fit         the eye moved along its line of sight until the surface fills the\n"
         "                picture, looking at the middle of its bounding box\n"
         "  --normals L   the normal lines of every cell: facet (the viewer's red lines, the\n"
         "                default), surface (the surface's own normals, teal) or both\n"
         "  --facet F     the normal of each cell's red line and flat face: corner (the\n"
         "                viewer's, normalise(e2 x e1), the default) or diagonals\n"
         "  --shading S   flat (the viewer's, the default), smooth (each corner lit by the\n"
         "                vertex normal there) or exact (by the surface's own normal there)\n"
         "  --inspect R,C mark the cell in row R and column C (from 0) with its e1, e2, n and\n"
         "                N, and print its numbers as JSON on standard output\n"
         "  --cells NU[,NV] the cells along u and along v (1 to 100 each; 21 x 21 by default)\n"
         "  --u A,B       a surface of one's own's u from A to B (--v C,D: v), in 21 cells\n"
         "                unless --cells says otherwise\n"
         "  --set N=V     a constant of one's own surface's formulas (1 unless set)\n"
         "  --convergence print the largest and mean angle between the facet normals and the\n"
         "                surface's own at the cells' middles\n"
         "  --out F       the file (one surface, ending .png, .gif or .obj) or folder to write "
         "into\n"
         "It draws on the X display in DISPLAY, or on a virtual one (Xvfb) it starts itself.\n"
         "Exit status: 0 written, 1 no display could be had, 2 a bad argument or a failed "
         "write.";
}
