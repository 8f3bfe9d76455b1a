#pragma once

#include <string_view>

// Element lines cut verbatim from the Minor Planet Center samples in the
// project's raw data kit (shared/data/mpc); orbit lines are 202 characters.
namespace MpcLines {

// Soft00Bright_sample.txt, line 1.
inline constexpr std::string_view kCeres =
    "00001    3.35  0.15 K25BL 231.53975   73.29974   80.24963   10.58789  0.0795763  0.21429712   2.7656157  0 MPO950947  7369 126 1801-2025 0.69 M-v 30k MPCORBFIT  4000      (1) Ceres                      ";
// Soft00Bright_sample.txt, line 4.
inline constexpr std::string_view kVesta =
    "00004    3.25  0.15 K25BL  26.80968  151.53712  103.70232    7.14406  0.0901676  0.27158812   2.3615413  0 MPO925791  7543 112 1821-2025 0.69 M-p 18k MPCLINUX   4000      (4) Vesta                      ";
// Soft00Unusual_sample.txt, line 1: a near-Earth object with a
// last-observation date after its name.
inline constexpr std::string_view kEros =
    "00433   11.16  0.46 K1972  84.17190  178.83549  304.30424   10.82858  0.2227385  0.55973997   1.4581823  0 MPO467611  8406  52 1893-2019 0.69 M-v 38h MPCLINUX   1804    (433) Eros               20190509";
// MPCORB_sample.DAT: an unnumbered near-Earth object.
inline constexpr std::string_view k2019KO2 =
    "K19K02O 19.9   0.15 K1972 346.71882   89.49203  227.80133   23.99519  0.5486410  0.22863489   2.6487504  1 MPC xxxxx    18   2 2015-2019 0.13 M-v 38h MPCW       0804          2019 KO2           20190530";
// MPCORB_sample.DAT: the highest number there, packed as a letter and four
// digits; elements from the JPL small-body database.
inline constexpr std::string_view k617103 =
    "z7103    6.43  0.15 K2289 351.69331   49.97925  209.75227   17.92661  0.2776394  0.00274361  50.5344404    JPL 15                                     JPL SBDB        (617103) 2003 FM129                 ";
// CometEls_2022-01-28.txt, line 1.
inline constexpr std::string_view kHaleBopp =
    "    CJ95O010  1997 03 29.7209  0.894241  0.994965  130.4440  282.9923   89.1641  20220128  -2.0  4.0  C/1995 O1 (Hale-Bopp)                                    MPC106342";
// CometEls_2022-01-28.txt.
inline constexpr std::string_view kEncke =
    "0002P         2020 06 28.7776  0.333415  0.849728  186.7465  334.4885   11.7268  20220128  11.5  6.0  2P/Encke                                                 MPEC 2021-TD0";
// CometEls_2022-01-28.txt: fragment T of 73P.
inline constexpr std::string_view kSchwassmannWachmannT =
    "0073P      t  2022 08 27.1970  0.972806  0.685604  199.4610   69.6177   11.2296  20220128  11.5  6.0  73P-T/Schwassmann-Wachmann                               MPC106348";
// CometEls_2022-01-28.txt: q above 10 AU puts a digit in column 31,
// and e is above 1.
inline constexpr std::string_view kAtlas2019E3 =
    "    CK19E030  2023 11 13.7967 10.313817  1.002103  280.6469  347.2535   84.2975  20220128   2.5  4.0  C/2019 E3 (ATLAS)                                        MPEC 2022-A21";

// Written by hand: the orbit of (617103) under the tilde form that numbers
// from 620,000 on take ("~0K8Q" is 620,000 + 0*62^3 + 20*62^2 + 8*62 + 26).
inline constexpr std::string_view kTildeNumbered =
    "~0K8Q    6.43  0.15 K2289 351.69331   49.97925  209.75227   17.92661  0.2776394  0.00274361  50.5344404    JPL 15                                     JPL SBDB        (697402) 2003 FM129                 ";

}  // namespace MpcLines
