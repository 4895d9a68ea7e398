# The release archive of a build, made by `cpack` in its build directory:
# tarvosa-VERSION-linux-x86_64.tar.gz from the Linux build and
# tarvosa-VERSION-windows-x86_64.zip from the Windows one. Each holds the
# installer, the tool, the README, docs/ and the licences of what the
# programs carry: the chart library the view embeds, the header-only
# libraries compiled into the tool and, on Windows, the MinGW-w64 runtime
# linked into both programs. `cmake --install` alone installs only the
# installer, as before.
if(NOT TARVOSA_TOOLS)
  return()
endif()

install(FILES README.md DESTINATION . COMPONENT release EXCLUDE_FROM_ALL)
install(DIRECTORY docs/ DESTINATION docs COMPONENT release EXCLUDE_FROM_ALL)
install(FILES third_party/uplot/LICENSE third_party/uplot/README.md
        DESTINATION third_party/uplot COMPONENT release EXCLUDE_FROM_ALL)

# Debian's copyright files of the libraries the build compiled in: their
# notices and licence texts.
set(release_licences cli11:libcli11-dev nlohmann-json:nlohmann-json3-dev)
if(WIN32)
  list(APPEND release_licences mingw-w64:mingw-w64-x86-64-dev)
endif()
foreach(licence IN LISTS release_licences)
  string(REPLACE ":" ";" licence ${licence})
  list(GET licence 0 name)
  list(GET licence 1 package)
  set(copyright /usr/share/doc/${package}/copyright)
  if(NOT EXISTS ${copyright})
    message(FATAL_ERROR "${copyright} is missing: the release needs the licence of ${name}")
  endif()
  install(FILES ${copyright} DESTINATION third_party/${name} RENAME LICENSE
          COMPONENT release EXCLUDE_FROM_ALL)
endforeach()

string(TOLOWER ${CMAKE_SYSTEM_NAME} release_system)
set(CPACK_PACKAGE_NAME tarvosa)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME tarvosa-${PROJECT_VERSION}-${release_system}-${CMAKE_SYSTEM_PROCESSOR})
if(WIN32)
  set(CPACK_GENERATOR ZIP)
else()
  set(CPACK_GENERATOR TGZ)
endif()
# Both components, the release's kept out of a plain install, in one archive
# under one directory of its name.
set(CPACK_COMPONENTS_ALL installer release)
set(CPACK_ARCHIVE_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_COMPONENT_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
