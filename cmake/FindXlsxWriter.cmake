# Finds libxlsxwriter through pkg-config and defines XlsxWriter::XlsxWriter.
find_package(PkgConfig QUIET)
if(PkgConfig_FOUND)
  pkg_check_modules(PC_XLSXWRITER QUIET xlsxwriter)
endif()
find_path(XlsxWriter_INCLUDE_DIR NAMES xlsxwriter.h HINTS ${PC_XLSXWRITER_INCLUDE_DIRS})
find_library(XlsxWriter_LIBRARY NAMES xlsxwriter HINTS ${PC_XLSXWRITER_LIBRARY_DIRS})

include(FindPackageHandleStandardArgs)
find_package_handle_standard_args(XlsxWriter
  REQUIRED_VARS XlsxWriter_LIBRARY XlsxWriter_INCLUDE_DIR
  VERSION_VAR PC_XLSXWRITER_VERSION)

if(XlsxWriter_FOUND AND NOT TARGET XlsxWriter::XlsxWriter)
  add_library(XlsxWriter::XlsxWriter UNKNOWN IMPORTED)
  set_target_properties(XlsxWriter::XlsxWriter PROPERTIES
    IMPORTED_LOCATION "${XlsxWriter_LIBRARY}"
    INTERFACE_INCLUDE_DIRECTORIES "${XlsxWriter_INCLUDE_DIR}")
endif()
mark_as_advanced(XlsxWriter_INCLUDE_DIR XlsxWriter_LIBRARY)
