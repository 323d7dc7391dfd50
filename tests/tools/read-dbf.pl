#!/usr/bin/perl
# Dumps a dBase table as read by Perl's XBase module, in the line format that the Rekolon
# tests compare (see read-dbf.js): FIELD, RECORD and DELETED lines, values escaped, UTF-8.
# Numbers are written with the column's decimals, dates as YYYYMMDD, logical values as T or F.
use strict;
use warnings;
use XBase;
use Encode qw(decode encode);

# usage: read-dbf.pl table.dbf [encoding]   (default cp1252; any name Perl's Encode knows)
my $path = shift or die "usage: read-dbf.pl table.dbf [encoding]\n";
my $encoding = shift || 'cp1252';
my $table = XBase->new(name => $path) or die XBase->errstr;
binmode STDOUT;

sub escape {
    my ($value) = @_;
    $value = '' unless defined $value;
    $value = decode($encoding, $value);
    $value =~ s/\\/\\\\/g;
    $value =~ s/\t/\\t/g;
    $value =~ s/\r/\\r/g;
    $value =~ s/\n/\\n/g;
    return $value;
}

my @names = $table->field_names;
my @types = $table->field_types;
my @lengths = $table->field_lengths;
my @decimals = $table->field_decimals;
my @lines;
for my $i (0 .. $#names) {
    push @lines, join("\t", 'FIELD', escape($names[$i]), $types[$i], $lengths[$i]);
}
my $deleted = 0;
for my $n (0 .. $table->last_record) {
    my ($flag, @values) = $table->get_record($n);
    die "cannot read record $n: " . $table->errstr unless defined $flag;
    if ($flag) { $deleted++; next; }
    for my $i (0 .. $#types) {
        # Character columns keep their padding in XBase; the comparison is on the text.
        $values[$i] =~ s/ +$// if defined $values[$i] && $types[$i] eq 'C';
        next unless defined $values[$i];
        $values[$i] = sprintf('%.*f', $decimals[$i], $values[$i]) if $types[$i] eq 'N' || $types[$i] eq 'F';
        $values[$i] = sprintf('%08d', $values[$i]) if $types[$i] eq 'D';
        $values[$i] = $values[$i] ? 'T' : 'F' if $types[$i] eq 'L';
    }
    push @lines, join("\t", 'RECORD', map { escape($_) } @values);
}
push @lines, join("\t", 'DELETED', $deleted);
print encode('UTF-8', join("\n", @lines) . "\n");
$table->close;
