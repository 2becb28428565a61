// The layer's one program. Every vertex arrives lit; objects' vertices are taken through the
// run's model-view-projection matrix, and window-space ones (lines' rectangles, bitmaps'
// pixels) are already placed, their fragments at the depth their plane gives, as Mesa's
// rasteriser gives a line's or a bitmap's fragments theirs. The planes are the texels of
// `depthPlanes`, row after row.
#pragma once

constexpr const char* kVertexShader = R"(#version 300 es
uniform mat4 modelViewProjection;
uniform vec2 viewport;
uniform float pointSize;
uniform highp sampler2D depthPlanes;
in vec3 position;
in vec4 colour;
out vec3 shade;
flat out vec3 depthPlane;
flat out float windowSpace;
void main() {
  shade = colour.rgb;
  windowSpace = colour.a;
  gl_PointSize = pointSize;
  if (windowSpace > 0.5) {
    int plane = int(position.z), row = textureSize(depthPlanes, 0).x;
    depthPlane = texelFetch(depthPlanes, ivec2(plane % row, plane / row), 0).xyz;
    gl_Position = vec4(position.xy / viewport * 2.0 - 1.0, 0.0, 1.0);
  } else {
    depthPlane = vec3(0.0);
    gl_Position = modelViewProjection * vec4(position, 1.0);
  }
}
)";

constexpr const char* kFragmentShader = R"(#version 300 es
precision highp float;
uniform vec2 viewport;
in vec3 shade;
flat in vec3 depthPlane;
flat in float windowSpace;
out vec4 fragmentColour;
void main() {
  fragmentColour = vec4(shade, 1.0);
  float x = floor(gl_FragCoord.x), y = viewport.y - 1.0 - floor(gl_FragCoord.y);
  gl_FragDepth = windowSpace > 0.5 ? depthPlane.x + depthPlane.y * x + depthPlane.z * y
                                   : gl_FragCoord.z;
}
)";
