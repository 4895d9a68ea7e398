# CLI11 and nlohmann-json for a cross build. Both are header-only, so the
# host's copies serve any target; only their own directories are copied
# into the build tree, never the host's whole include directory, whose
# system headers would stand in for the cross compiler's.
foreach(library IN ITEMS CLI nlohmann)
  find_path(TARVOSA_HOST_${library}_PARENT ${library}
            PATHS /usr/include /usr/local/include NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
  if(NOT TARVOSA_HOST_${library}_PARENT)
    message(FATAL_ERROR "the host's ${library} headers are missing "
                        "(tools/install_build_dependencies.sh installs them)")
  endif()
  file(COPY ${TARVOSA_HOST_${library}_PARENT}/${library}
       DESTINATION ${PROJECT_BINARY_DIR}/host_headers)
endforeach()

add_library(CLI11::CLI11 INTERFACE IMPORTED)
add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
set_target_properties(CLI11::CLI11 nlohmann_json::nlohmann_json PROPERTIES
                      INTERFACE_INCLUDE_DIRECTORIES ${PROJECT_BINARY_DIR}/host_headers)
