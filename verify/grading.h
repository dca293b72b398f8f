#pragma once

// The print quality parameters of one scan reflectance profile and their
// grades, as the linear symbol print quality standard defines them, and the
// symbol grade they make.

#include <QList>
#include <QString>

#include "profile.h"
#include "referencedecode.h"

namespace verify {

// Grades are numbers: A = 4, B = 3, C = 2, D = 1, F = 0.
int GradeSymbolContrast(double sc);
int GradeMinimumReflectance(double rmin, double rmax);
int GradeEdgeContrast(double ecmin);
int GradeModulation(double mod);
int GradeDefects(double defects);
int GradeDecodability(double v);
QChar GradeLetter(double grade);  // of a profile's grade or the symbol's average

// A bar or a space: the samples between two crossings of the global
// threshold (or the profile's end). Its edges stand where the profile
// crosses the midpoint between its reflectance and its neighbour's.
struct Element {
    bool bar = false;
    double start = 0, end = 0;   // s, pixels
    double reflectance = 0;      // a space's highest, a bar's lowest
    double ern = 0;              // highest peak less lowest valley inside it
    qsizetype from = 0, to = 0;  // its samples in the profile, [from, to)
    // The symbol's elements only: its edges at a threshold that follows the
    // light across the symbol, for the bars' growth.
    double lightStart = 0, lightEnd = 0;
};

struct ProfileGrade {
    double rmin = 0, rmax = 0, threshold = 0;
    double sc = 0, ecmin = 0, mod = 0, defects = 0;
    QList<Element> elements;
    // The symbol's first bar among elements, and the decode of its elements.
    int first = -1;
    Decoded decoded;
    double module = 0;  // Z: first bar's leading edge to the last bar's, per module
    double quietLeft = 0, quietRight = 0;  // in modules
    bool quietZonesClear = false;
    int gradeDecode = 0, gradeSc = 0, gradeRmin = 0, gradeEc = 0, gradeMod = 0, gradeDefects = 0,
        gradeDecodability = 0;
    int grade = 0;  // the lowest of them
};

// Elements counts the symbol's bars and spaces (59 or 43); quietLeft and
// quietRight are the quiet zones the symbology needs, in modules.
ProfileGrade GradeProfile(const Profile& profile, int elements, double quietLeft,
                          double quietRight);

}  // namespace verify
