// The values of normals-snapshot's options that are more than one number: an eye, a cell, a
// grid's cells and ranges, a constant's setting. A mistake ends the program with one line and
// status 2, naming the option and what it takes.
#pragma once

#include <string>
#include <utility>

#include "command_line.h"
#include "render/mesh.h"

// X,Y,Z: finite, not at the origin, no nearer the vertical than the page's view comes.
void readEye(const CommandLine& args, const std::string& text, double eye[3]);
// ROW,COLUMN, each a whole number from 0.
void readCell(const CommandLine& args, const std::string& text, int cell[2]);
// NU or NU,NV, each from 1 to kMostCells; NU alone for both.
void readCells(const CommandLine& args, const std::string& text, int cells[2]);
// A,B: two finite numbers that differ, each a number or an expression such as 2*pi.
void readRange(const CommandLine& args, const std::string& text, double range[2]);
// NAME=VALUE, VALUE finite.
std::pair<std::string, double> readSetting(const CommandLine& args, const std::string& text);
// A choice of the picture's normals: facet, surface or both (--normals); corner or diagonals
// (--facet); flat, smooth or exact (--shading).
NormalLines readNormalLines(const CommandLine& args, const std::string& text);
FacetNormal readFacet(const CommandLine& args, const std::string& text);
Shading readShading(const CommandLine& args, const std::string& text);
