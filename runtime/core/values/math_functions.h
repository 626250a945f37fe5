// The math and bitwise entry points: plain functions of their arguments.
#pragma once

#include <cstdint>

extern "C" {
double RuntimeSin(double x);
double RuntimeCos(double x);
double RuntimeTan(double x);
double RuntimeASin(double x);
double RuntimeACos(double x);
double RuntimeATan(double x);
double RuntimeATan2(double y, double x);
double RuntimeExp(double x);
double RuntimeLog(double x);
double RuntimePow(double x, double y);
double RuntimeSqrt(double x);
double RuntimeCeil(double x);
double RuntimeFloor(double x);
double RuntimeRound(double x);
double RuntimeAbs(double x);
double RuntimeMax(double a, double b);
double RuntimeMin(double a, double b);
std::int32_t BitwiseAnd(std::int32_t a, std::int32_t b);
std::int32_t BitwiseOr(std::int32_t a, std::int32_t b);
std::int32_t BitwiseXor(std::int32_t a, std::int32_t b);
}
