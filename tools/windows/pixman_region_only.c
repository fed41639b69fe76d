/* The Windows build links only pixman's region arithmetic (pixman-region32.c,
 * built by scripts/windows-third-party.sh), which is all the software GDI
 * uses of pixman: the compositing code would be nine tenths of pixman's
 * size in the program, and pixman's start-up code keeps all of it.
 *
 * The region code calls two things from the rest of pixman: its error log,
 * given here as pixman has it, and four functions of its images, which only
 * pixman_region32_init_from_image calls. The program makes no pixman image,
 * so that function can never be given one; should it be called anyway, the
 * program stops rather than read an image that does not exist. */

#include <stdio.h>
#include <stdlib.h>

#include "pixman.h"

void _pixman_log_error(const char *function, const char *message) {
  static int n_messages = 0;
  if (n_messages < 10) {
    fprintf(stderr, "*** BUG ***\nIn %s: %s\n", function, message);
    n_messages++;
  }
}

static void no_pixman_images(void) {
  fprintf(stderr, "pixman: this build has no images\n");
  abort();
}

uint32_t *pixman_image_get_data(pixman_image_t *image) {
  no_pixman_images();
  return NULL;
}

int pixman_image_get_width(pixman_image_t *image) {
  no_pixman_images();
  return 0;
}

int pixman_image_get_height(pixman_image_t *image) {
  no_pixman_images();
  return 0;
}

int pixman_image_get_stride(pixman_image_t *image) {
  no_pixman_images();
  return 0;
}
