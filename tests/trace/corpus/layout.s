; A game's core written close together: tables right after the routines
; that read them, pointers to text and to tunes between the routines, a
; routine that returns two levels up, routines that fall into the next,
; a second entry behind a BIT, constants kept in an instruction's operand,
; and helpers copied to zero page and to RAM and patched there.
.import __ZPCODE_LOAD__, __ZPCODE_RUN__, __ZPCODE_SIZE__
.import __RAMCODE_LOAD__, __RAMCODE_RUN__, __RAMCODE_SIZE__

.segment "HEADER"
  .byte "NES", $1A, 2, 1, $00, $00
  .res 8, 0

.segment "ZEROPAGE"
ptr:    .res 2
tmp:    .res 1
frame:  .res 1
abortf: .res 1

.segment "CODE"
reset:
  sei
  cld
  ldx #$FF
  txs
  inx
  stx $2001
  ldx #<(__ZPCODE_SIZE__ - 1)
@zp:
  lda __ZPCODE_LOAD__,x
  sta __ZPCODE_RUN__,x
  dex
  bpl @zp
  ldx #<(__RAMCODE_SIZE__ - 1)
@ram:
  lda __RAMCODE_LOAD__,x
  sta __RAMCODE_RUN__,x
  dex
  bpl @ram
  lda #$80
  sta $2000
main:
  jsr wait_frame
  lda frame
  and #3
  jsr speed_of
  sta tmp
  lda frame
  and #1
  asl a
  tay
  lda msg_ptrs,y
  sta ptr
  lda msg_ptrs+1,y
  sta ptr+1
  jsr print
  jsr step_all
  jsr clear_both
  lda #2
  jsr set_pair
  jsr flag_one
  jsr flag_two
  jsr play_tune
  jsr run_zp
  jsr blit_ram
  jsr start_row
  lda start_row+1
  sta $0222
  jmp main

; The speed for the level in A.
speed_of:
  tax
  lda speed_table,x
  rts
speed_table:
  .byte $01, $02, $03, $05

msg_ptrs:
  .addr msg_hello, msg_world

; Writes the zero-ended text at ptr.
print:
  ldy #0
@next:
  lda (ptr),y
  beq @done
  sta $2007
  iny
  bne @next
@done:
  rts

msg_hello: .byte "HELLO", 0
msg_world: .byte "WORLD", 0

; Steps every actor; one that finds the abort flag up ends the whole step.
step_all:
  ldx #3
@loop:
  jsr step_one
  dex
  bpl @loop
  rts

; Steps actor X, or returns straight to step_all's caller.
step_one:
  lda abortf
  beq @go
  pla
  pla
  rts
@go:
  lda actor_dx,x
  clc
  adc tmp
  sta $0200,x
  rts
actor_dx:
  .byte $01, $FF, $02, $FE

; Clearing both sets them to zero; setting falls into the marker.
clear_both:
  lda #0
set_pair:
  sta $0210
  sta $0211
mark:
  inc $0212
  rts

; Sets the flag to 1 or, entered behind the BIT, to 2.
flag_one:
  lda #1
  .byte $2C
flag_two:
  lda #2
  sta $0213
  rts

tune_ptrs:
  .addr tune_a, tune_b

; Starts one of two tunes by the frame count.
play_tune:
  lda frame
  lsr a
  and #2
  tax
  lda tune_ptrs,x
  sta ptr
  lda tune_ptrs+1,x
  sta ptr+1
  ldy #0
  lda (ptr),y
  sta $4000
  iny
  lda (ptr),y
  sta $4002
  rts
tune_a: .byte $3F, $A0, $40, $00, $FF
tune_b: .byte $7F, $50, $20, $10, $FF

; Sums the speed table with the zero-page helper, its address patched in.
run_zp:
  lda #<speed_table
  sta zp_load+1
  lda #>speed_table
  sta zp_load+2
  jmp zp_sum

; Sends sixteen bytes of the text with the RAM helper.
blit_ram:
  lda #<msg_hello
  sta ram_src+1
  lda #>msg_hello
  sta ram_src+2
  jsr ram_copy
  rts

; Puts the start row and column; others read the row from the operand.
start_row:
  ldy #$10
  ldx #$08
  sty $0220
  stx $0221
  rts

wait_frame:
  lda frame
@wait:
  cmp frame
  beq @wait
  rts

nmi:
  inc frame
irq:
  rti

.segment "ZPCODE"
zp_sum:
  ldx #3
  lda #0
  clc
zp_load:
  adc $C000,x
  dex
  bpl zp_load
  sta tmp
  rts

.segment "RAMCODE"
ram_copy:
  ldy #0
ram_src:
  lda $8000,y
  sta $2007
  iny
  cpy #16
  bne ram_src
  rts

.segment "RODATA"
  .byte $00

.segment "VECTORS"
  .addr nmi, reset, irq
