#ifndef ORVEL_EXPORT_HPP
#define ORVEL_EXPORT_HPP

// ORVEL_API marks the classes and functions that the shared library exports;
// everything else stays hidden inside it.
#if defined(ORVEL_STATIC)
#define ORVEL_API
#elif defined(_WIN32)
#if defined(ORVEL_BUILDING)
#define ORVEL_API __declspec(dllexport)
#else
#define ORVEL_API __declspec(dllimport)
#endif
#else
#define ORVEL_API __attribute__((visibility("default")))
#endif

#endif
