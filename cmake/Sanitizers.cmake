# AddressSanitizer and UndefinedBehaviorSanitizer for the native build; every
# target compiled after this point inherits them.
if(VN24G_SANITIZE AND NOT WIN32)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
