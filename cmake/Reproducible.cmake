# The same source gives the same programs in any folder, with nothing set by the caller (no
# SOURCE_DATE_EPOCH), as Debian expects.

# __FILE__ (assert and Q_ASSERT in a debug build) would name each source by the clone's path.
add_compile_options(-fmacro-prefix-map=${PROJECT_SOURCE_DIR}/= -fmacro-prefix-map=${PROJECT_BINARY_DIR}/=)

# rcc writes each file's modification time into the program, and a checkout's times are those of
# the clone. Every rcc call of the build, Qt's own functions' included, goes through a wrapper
# that pins them.
function(zelkon_pin_rcc_times)
  get_target_property(rcc Qt6::rcc LOCATION)
  set(wrapper ${PROJECT_BINARY_DIR}/zelkon-rcc)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/rcc_wrapper.sh.in ${wrapper} @ONLY)
  file(CHMOD ${wrapper} PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
       WORLD_READ WORLD_EXECUTE)
  get_target_property(configs Qt6::rcc IMPORTED_CONFIGURATIONS)
  set_target_properties(Qt6::rcc PROPERTIES IMPORTED_LOCATION ${wrapper})
  foreach(config IN LISTS configs)
    set_target_properties(Qt6::rcc PROPERTIES IMPORTED_LOCATION_${config} ${wrapper})
  endforeach()
endfunction()
