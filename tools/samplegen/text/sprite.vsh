; sprite.vsh - camera-facing sprites for spells and particles
;
; v0  centre position   v5  colour
; v7  texture coordinates and corner (z, w: -1 or 1)
; c0-c3   view * projection
; c16     camera right vector * size
; c17     camera up vector * size

vs.1.1

dcl_position v0
dcl_color v5
dcl_texcoord v7

mul r0, c16, v7.z
mad r0, c17, v7.w, r0
add r0, v0, r0
mov r0.w, v0.w

dp4 oPos.x, r0, c0
dp4 oPos.y, r0, c1
dp4 oPos.z, r0, c2
dp4 oPos.w, r0, c3

mov oD0, v5
mov oT0.xy, v7.xy
